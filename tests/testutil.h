#pragma once

// Helpers shared by the tests: byte-exact file handling, readable failure
// messages for byte strings, and the few facts about names that differ
// between systems (one file per system, chosen by CMake).

#include "drivelistbox.h"
#include "folderpath.h"
#include "namefile.h"
#include "messages.h"
#include "nativepath.h"
#include "renameerror.h"
#include "services.h"
#include "startfolder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMetaType>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

Q_DECLARE_METATYPE(std::string)

namespace QTest {
template <> inline char *toString(const std::string &bytes)
{
    return QTest::toString(QByteArray::fromStdString(bytes));
}
} // namespace QTest

namespace testutil {

using quillet::NativePath;
using quillet::PathBytes;
using Names = std::vector<std::string>;

/// The separator this system writes between a folder and a name.
char separator();

/// A name part that only this system's own way of naming files carries:
/// bytes that are not UTF-8 on POSIX, a lone UTF-16 surrogate on Windows
/// (in the bytes the program keeps it as).
std::string rawNamePart();

/// Whether a file name may hold any byte but '/' and NUL, and end in a space
/// (POSIX); on Windows names are text, without control characters, and the
/// ordinary calls trim trailing spaces.
bool namesAreBytes();

/// Whether a listed folder is held open (POSIX), so that it is renamed in
/// even after its path has been moved, and reached however deep it lies; on
/// Windows it is reached by its path.
bool foldersAreHeld();

/// Makes an empty folder at \a path that its owner may not read; false
/// where the test cannot (as the superuser, who reads anything, or on
/// Windows).
bool makeUnreadableFolder(const std::string &path);

/// Makes a named pipe at \a path; false where the system has none.
bool makePipe(const std::string &path);

/// Removes the folder \a path and everything in it, names that the
/// standard library cannot reach included; leaves what it cannot remove.
void removeTree(const std::string &path);

/// \a folder joined with \a name by the system's separator.
inline std::string join(const std::string &folder, const std::string &name)
{
    return folder + separator() + name;
}

/// A fresh temporary folder, removed with everything in it when the object
/// goes. QTemporaryDir alone cannot remove names that are not valid UTF-8,
/// nor on Windows names that end in a dot or paths beyond 260 characters.
class TempFolder
{
public:
    TempFolder() { m_dir.setAutoRemove(false); }
    ~TempFolder() { removeTree(m_path); }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    /// The folder's path, as bytes, with the system's own separators.
    const std::string &path() const { return m_path; }

private:
    QTemporaryDir m_dir;
    std::string m_path = QDir::toNativeSeparators(m_dir.path()).toStdString();
};

/// Whether \a list has finished reading its folder within a while.
template <typename FolderList> bool readDone(const FolderList &list)
{
    return QTest::qWaitFor([&list] { return !list.IsReading(); }, 10000);
}

/// Test doubles for the services that ask file systems: they hold the
/// reads of chosen folders, the question whether a start folder names a
/// file, and the drive list's questions to its volumes, until released, as a
/// file system that has stopped answering would; every other call goes
/// through.
class Hang
{
public:
    Hang() = default;
    ~Hang() { release(); }
    Hang(const Hang &) = delete;
    Hang &operator=(const Hang &) = delete;

    /// \a services with their folder reader, volume asker and folder finder
    /// replaced by these doubles.
    quillet::Services services(quillet::Services services = {}) const
    {
        services.readFolder = [state = m_state](const quillet::HeldFolder &folder) {
            state->pass(folder.Path());
            return quillet::ReadFolder(folder);
        };
        services.askVolume = [state = m_state](const std::string &root) {
            state->pass(kVolumes);
            return quillet::AskVolume(root);
        };
        services.findFolder = [state = m_state](const std::string &path) {
            state->pass(path);
            return quillet::FolderToOpen(path);
        };
        return services;
    }

    /// Holds every read of the folder \a path, and every question whether it
    /// names a file, from now on.
    void holdFolder(const std::string &path) { hold(path); }
    /// Holds every question to a volume from now on.
    void holdVolumes() { hold(kVolumes); }
    /// Lets every held call go on, and holds none from now on.
    void release()
    {
        const std::lock_guard lock(m_state->mutex);
        m_state->held.clear();
        m_state->changed.notify_all();
    }
    /// How many calls are being held now.
    int waiting() const
    {
        const std::lock_guard lock(m_state->mutex);
        return m_state->waiting;
    }
    /// How many calls have been made, held or not.
    int made() const
    {
        const std::lock_guard lock(m_state->mutex);
        return m_state->made;
    }

private:
    static constexpr const char *kVolumes = "<volumes>";

    struct State
    {
        std::mutex mutex;
        std::condition_variable changed;
        std::set<std::string> held;
        int waiting = 0;
        int made = 0;

        void pass(const std::string &key)
        {
            std::unique_lock lock(mutex);
            ++made;
            ++waiting;
            changed.wait(lock, [&] { return !held.contains(key); });
            --waiting;
        }
    };

    void hold(const std::string &key)
    {
        const std::lock_guard lock(m_state->mutex);
        m_state->held.insert(key);
    }

    // Shared with the calls, which may outlive the object.
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

/// Volumes whose roots are \a roots, each named by its root, with no label.
inline std::vector<quillet::Volume> volumesAt(const std::vector<std::string> &roots)
{
    std::vector<quillet::Volume> volumes;
    for (const std::string &root : roots)
        volumes.push_back({root, QFile::decodeName(QByteArray::fromStdString(root)), QString()});
    return volumes;
}

/// \a services with a drive list that offers the root of the current
/// folder's drive and \a folders alone, never the machine's own mounts,
/// which other programs mount and unmount meanwhile.
inline quillet::Services ownVolumes(std::vector<std::string> folders,
                                    quillet::Services services = {})
{
    services.listVolumes = [folders] {
        std::vector<std::string> roots{quillet::FallbackFolder()};
        roots.insert(roots.end(), folders.begin(), folders.end());
        return volumesAt(roots);
    };
    return services;
}

/// Every line a list control holds, in order.
template <typename ListControl> std::vector<std::string> listed(const ListControl &list)
{
    std::vector<std::string> lines;
    for (int i = 0; i < list.ListCount(); ++i)
        lines.push_back(list.List(i));
    return lines;
}

/// The new names of the files \a result tells were renamed, in order.
inline std::vector<std::string> newNames(const quillet::RenamingResult &result)
{
    std::vector<std::string> names;
    for (const quillet::Renamed &file : result.renamed)
        names.push_back(file.newName);
    return names;
}

/// Writes \a content to the file at \a path, named by its exact bytes.
inline void writeFile(const std::string &path, const std::string &content)
{
    std::ofstream(NativePath(path), std::ios::binary) << content;
}

/// The content of the file at \a path, or "<missing>".
inline std::string readFile(const std::string &path)
{
    std::ifstream in(NativePath(path), std::ios::binary);
    if (!in)
        return "<missing>";
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// The names in \a folder, sorted by bytes.
inline std::vector<std::string> folderNames(const std::string &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(NativePath(folder)))
        names.push_back(PathBytes(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

/// \a files, names with their contents, as "name=content" entries joined by
/// "; ", in byte order of their names.
inline QByteArray describe(const std::map<std::string, std::string> &files)
{
    QByteArrayList entries;
    for (const auto &[name, content] : files)
        entries += QByteArray::fromStdString(name + '=' + content);
    return entries.join("; ");
}

/// The files of \a folder, described as describe() does.
inline QByteArray snapshot(const std::string &folder)
{
    std::map<std::string, std::string> files;
    for (const std::string &name : folderNames(folder))
        files[name] = readFile(join(folder, name));
    return describe(files);
}

/// Writes the files that \a entries, in the form snapshot() gives, describe.
inline void populate(const std::string &folder, const QByteArray &entries)
{
    if (entries.isEmpty())
        return;
    for (const QByteArray &item : entries.split(';')) {
        const QByteArray entry = item.startsWith(' ') ? item.mid(1) : item;
        const auto equals = entry.indexOf('=');
        writeFile(join(folder, entry.left(equals).toStdString()),
                  entry.mid(equals + 1).toStdString());
    }
}

/// Renames \a oldName to \a newName in \a folder with the rename service and
/// returns the message it refused with, or an empty one when it renamed.
inline QByteArray nameFileMessage(const std::string &folder, const QByteArray &oldName,
                                  const QByteArray &newName)
{
    try {
        quillet::FileRenamer(quillet::HeldFolder(folder))
            .NameFile(oldName.toStdString(), newName.toStdString(), std::nullopt);
    } catch (const quillet::RenameError &error) {
        return quillet::UserMessage(error).toUtf8();
    }
    return {};
}

} // namespace testutil
