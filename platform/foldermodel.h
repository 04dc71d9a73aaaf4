#pragma once

#include "backgroundcall.h"
#include "folderreader.h"
#include "heldfolder.h"
#include "lineblock.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillet {

/// What one reading of a folder gave: the folder held open, its subfolders
/// and its files in natural order, or why it could not be read.
struct FolderReading
{
    HeldFolder folder;
    std::vector<std::string> folders;
    LineBlock files;
    std::optional<FolderError> failure;
    /// The file pattern when the reading started, and the files that match
    /// it; the pattern goes once they have been handed over.
    std::optional<std::string> pattern;
    LineBlock matches;

    bool empty() const
    {
        return folder.empty() && folders.empty() && files.empty() && matches.empty();
    }
    /// Whether \a other read the same entries, or failed as well.
    bool sameEntries(const FolderReading &other) const
    {
        return folders == other.folders && files == other.files &&
               failure.has_value() == other.failure.has_value();
    }
};

/// Reads the entries of a held folder as ReadFolder does. Called on a worker
/// thread, where it may wait as long as the file system does.
using EntryReader = std::function<FolderEntries(const HeldFolder &)>;

/// The open folder as one reading of it: its subfolders and its files, in
/// natural order, the folder itself held open, or why it could not be read.
/// The folder list and the file list both show it. Readings run in the
/// background; a folder is read by one reading at a time, which everyone who
/// asks for that folder meanwhile joins, and a few readings at most run at
/// once, as each may hang on a file system that has stopped answering.
class FolderModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FolderModel)

public:
    /// Readings that may run at once. Past them, a drive is taken as not
    /// answering: no other reading starts until one of them returns.
    static constexpr std::size_t kMostReadings = 4;

    /// Reads through \a reader.
    explicit FolderModel(EntryReader reader, QObject *parent = nullptr);
    ~FolderModel() override;

    /// Opens \a path: what was read before goes at once, and \a path is read
    /// in the background. Opening the folder open already reads it again,
    /// unless a reading of it is under way, which is joined.
    void Open(const std::string &path);
    /// Reads the open folder again once ReadAgainSoon has not been called for
    /// a moment (the user has paused typing), and brings it up to date only
    /// if that reading differs; meanwhile what was read stays. After
    /// MarkStale it opens the folder again at once instead.
    void ReadAgainSoon();
    /// Files of the open folder are about to be renamed: what was read, or
    /// is being read, no longer tells what the folder holds. Nothing is
    /// brought up to date before the folder is opened again.
    void MarkStale();
    bool IsStale() const { return m_stale; }
    /// The pattern the file list shows: each reading started from now on
    /// picks out the files that match it in the background too, so that a
    /// folder of a million files is shown without matching them on the
    /// window's thread.
    void SetFilePattern(const std::string &pattern) { m_filePattern = pattern; }
    /// The files of the open folder whose names match \a pattern, in natural
    /// order. Those the last reading picked out are handed over, once, when
    /// it matched the same pattern; otherwise they are picked out now.
    LineBlock TakeMatchingFiles(const std::string &pattern);

    const std::string &Path() const { return m_path; }
    /// Whether the open folder is being read: nothing is shown meanwhile.
    bool IsReading() const { return m_waiting == Waiting::Shown; }
    /// Whether that reading cannot start, as too many are held up already.
    bool DriveNotAnswering() const { return IsReading() && m_blocked; }
    /// The readings under way, those the model no longer waits for included.
    std::size_t ReadingsUnderWay() const { return m_readings.size(); }
    const std::vector<std::string> &Folders() const { return m_shown.folders; }
    const LineBlock &Files() const { return m_shown.files; }
    /// The folder that was read, held open; none while reading or after a
    /// failure.
    const HeldFolder &Folder() const { return m_shown.folder; }
    /// Why the open folder could not be read, when it could not.
    const std::optional<FolderError> &Failure() const { return m_shown.failure; }

signals:
    /// What is shown of the open folder changed: another folder was opened,
    /// a reading started or ended, or one brought in other entries.
    void Changed();
    /// The open folder could not be read; sent just after Changed.
    void ReadFailed(const quillet::FolderError &failure);

private:
    struct Reading;
    enum class Waiting { None, Shown, Quiet };

    void checkNow();
    void request();
    void start();
    void ended(const std::string &path, FolderReading reading);
    void take(FolderReading reading);

    EntryReader m_reader;
    std::string m_path;
    /// The last reading of the open folder.
    FolderReading m_shown;
    std::string m_filePattern;
    Waiting m_waiting = Waiting::None;
    /// Whether the reading waited for cannot start yet.
    bool m_blocked = false;
    bool m_stale = false;
    /// The readings under way, one per folder, those of folders no longer
    /// open included: they run until their file systems answer.
    std::map<std::string, Reading> m_readings;
    QTimer m_pause;
};

} // namespace quillet
