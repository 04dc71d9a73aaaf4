#pragma once

#include "foldermodel.h"

#include <QListWidget>

#include <string>

namespace quillet {

struct FolderPathParts;

/// A classic folder list: the open folder's ancestors from the root down,
/// then the open folder's subfolders, indented, with folder icons. A click or
/// the arrow keys only highlight an entry; a double-click or Enter opens it.
/// Paths are kept as the exact bytes the file system uses. The list shows a
/// folder model, which reads the open folder in the background: its
/// ancestors show at once, and the list shows that it is reading until the
/// subfolders follow.
class DirListBox final : public QListWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DirListBox)

public:
    explicit DirListBox(QWidget *parent = nullptr);

    /// Shows \a folders, whose open folder is this list's, from now on.
    void ShowFolders(FolderModel &folders);

    /// The open folder.
    std::string Path() const { return m_folders->Path(); }
    /// Opens \a path and raises Change, even when it is already open. The path
    /// is made absolute and read as SplitFolderPath reads it; throws
    /// FolderError, leaving the list as it was, if it is relative and the
    /// current folder cannot be found. A folder that cannot be read stays
    /// open without subfolders, and the folder model tells why.
    void SetPath(const std::string &path);
    /// Whether the open folder's subfolders are being read.
    bool IsReading() const { return m_folders->IsReading(); }
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

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    /// Lists the open folder's ancestors and subfolders. The highlight stays
    /// on its entry while the same folder is shown; on another folder it
    /// moves to the open folder.
    void showFolders();
    /// Opens entry \a row for the user; a failure is reported, never thrown.
    void openEntry(int row);

    FolderModel *m_folders = nullptr;
    /// The folder whose entries are listed.
    std::string m_shown;
};

} // namespace quillet
