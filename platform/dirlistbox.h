#pragma once

#include "besidecall.h"
#include "folderlisting.h"

#include <QListWidget>

#include <memory>
#include <string>

namespace quillet {

struct FolderPathParts;

/// A classic folder list: the open folder's ancestors from the root down,
/// then the open folder's subfolders, indented, with folder icons. A click or
/// the arrow keys only highlight an entry; a double-click or Enter opens it.
/// Paths are kept as the exact bytes the file system uses. A folder's
/// subfolders are read beside the window: its ancestors show at once, and the
/// list shows that it is reading until the subfolders follow.
class DirListBox final : public QListWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DirListBox)

public:
    /// Starts on the start folder (see StartFolder), without raising Change.
    /// Should that folder turn out unreadable, the root is opened instead and
    /// StartFailed sent.
    explicit DirListBox(QWidget *parent = nullptr);

    /// The open folder.
    std::string Path() const { return m_path; }
    /// Opens \a path and raises Change, even when it is already open. The path
    /// is made absolute and read as SplitFolderPath reads it; throws
    /// FolderError, leaving the list as it was, if it is relative and the
    /// current folder cannot be found. A folder that cannot be read stays
    /// open without subfolders, and ReadFailed tells why.
    void SetPath(const std::string &path);
    /// Whether the open folder's subfolders are being read.
    bool IsReading() const { return m_reading != nullptr; }
    /// The highlighted entry; right after the open folder changes it is the open folder.
    int ListIndex() const { return currentRow(); }
    int ListCount() const { return count(); }
    /// The full path of entry \a index, 0 <= index < ListCount(); throws
    /// std::out_of_range otherwise.
    std::string List(int index) const;

    /// Scrolls entry \a index into view, its icon and name first.
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

signals:
    /// The open folder changed, by the user or by SetPath.
    void Change();
    /// A read of the open folder has started or ended; IsReading() tells which.
    void ReadingChanged();
    /// The open folder could not be read; sent just before the read ends.
    void ReadFailed(const quillet::FolderError &failure);
    /// The start folder could not be read, and the root is open instead.
    void StartFailed(const quillet::FolderError &failure);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    /// Shows the folder \a parts name and starts reading its subfolders,
    /// without raising Change.
    void open(const FolderPathParts &parts);
    void showSubfolders(FolderListing listing);
    void openRootInstead(const FolderError &failure);
    /// Opens entry \a row for the user; a failure is reported, never thrown.
    void openEntry(int row);

    std::string m_path;
    std::unique_ptr<BesideCall> m_reading;
    /// Whether the read pending is the start folder's.
    bool m_readingStart = false;
};

} // namespace quillet
