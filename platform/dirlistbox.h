#pragma once

#include <QListWidget>

#include <string>

namespace quillet {

/// A classic folder list: the open folder's ancestors from the root down,
/// then the open folder's subfolders, indented, with folder icons. A click or
/// the arrow keys only highlight an entry; a double-click or Enter opens it.
class DirListBox final : public QListWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DirListBox)

public:
    /// Starts on the current working folder.
    explicit DirListBox(QWidget *parent = nullptr);

    /// The open folder.
    std::string Path() const;
    /// Opens \a path and raises Change; throws FolderError if it cannot be read.
    void SetPath(const std::string &path);
    /// The highlighted entry; right after the open folder changes it is the open folder.
    int ListIndex() const;
    int ListCount() const;
    /// The full path of entry \a index.
    std::string List(int index) const;

signals:
    /// The open folder changed, by the user or by SetPath.
    void Change();
};

} // namespace quillet
