#pragma once

#include "folderreader.h"

#include <QListWidget>

#include <optional>
#include <string>

namespace quillet {

struct FolderPathParts;

/// A classic folder list: the open folder's ancestors from the root down,
/// then the open folder's subfolders, indented, with folder icons. A click or
/// the arrow keys only highlight an entry; a double-click or Enter opens it.
/// Paths are kept as the exact bytes the file system uses.
class DirListBox final : public QListWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DirListBox)

public:
    /// Starts on the start folder (see StartFolder; on the root if that cannot
    /// be read), without raising Change.
    explicit DirListBox(QWidget *parent = nullptr);

    /// Why the start folder could not be opened, when the list started on
    /// the root instead.
    const std::optional<FolderError> &StartFailure() const { return m_startFailure; }

    /// The open folder.
    std::string Path() const { return m_path; }
    /// Opens \a path and raises Change, even when it is already open. The path
    /// is made absolute and read as SplitFolderPath reads it. Throws
    /// FolderError, leaving the list as it was, if the folder cannot be read.
    void SetPath(const std::string &path);
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
    /// Shows the folder \a parts name, without raising Change.
    void open(const FolderPathParts &parts);
    /// Opens entry \a row for the user; a failure is reported, never thrown.
    void openEntry(int row);

    std::string m_path;
    std::optional<FolderError> m_startFailure;
};

} // namespace quillet
