#pragma once

#include "folderreader.h"
#include "listbox.h"
#include "startfolder.h"

#include <QListView>

#include <memory>
#include <string>

namespace quillet {

/// Lists the files of one folder whose names match a pattern, in natural
/// order. The folder is read when Path or Pattern is assigned and at no other
/// time, so renaming files does not change what the list shows. Names are
/// kept as the exact bytes the folder holds; a name that is not valid UTF-8 is
/// shown with replacement marks but handed on unchanged.
class FileListBox final : public QListView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FileListBox)
    // Lets the window description set the starting pattern.
    Q_PROPERTY(QString pattern READ patternText WRITE setPattern)

public:
    /// Starts on the start folder (see StartFolder), without reading it.
    explicit FileListBox(QWidget *parent = nullptr);
    ~FileListBox() override;

    std::string Path() const { return m_path; }
    /// Shows the matching files of \a path. Throws FolderError if it cannot
    /// be read, and then shows \a path with no files.
    void SetPath(const std::string &path);
    std::string Pattern() const { return m_pattern; }
    /// Shows only the files whose names match \a pattern (see NamePattern),
    /// reading the folder again. Throws FolderError if it cannot be read; the
    /// pattern is kept for the next folder and the list stays as it was.
    void SetPattern(const std::string &pattern);

    int ListCount() const;
    std::string List(int index) const;
    /// Every listed name, in the order shown.
    const std::vector<std::string> &Names() const { return m_model->lines(); }
    /// The folder the list was last read from, held open until the next
    /// successful read, so that its files are renamed there even if its path
    /// is moved or taken by another folder meanwhile.
    const HeldFolder &Folder() const { return m_folder; }

    QString patternText() const;
    /// SetPattern for the window description, which assigns the starting
    /// pattern while the window is being built. It never throws: a folder
    /// that cannot be read leaves the list as it was.
    void setPattern(const QString &pattern);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void load(const std::string &path);

    std::string m_path = StartFolder();
    std::string m_pattern;
    HeldFolder m_folder;
    std::unique_ptr<TextListModel> m_model = std::make_unique<TextListModel>();
};

} // namespace quillet
