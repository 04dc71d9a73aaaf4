#pragma once

#include "foldermodel.h"
#include "listbox.h"

#include <string>

namespace quillet {

/// Lists the files of the open folder of a folder model whose names match a
/// pattern, in natural order. A new pattern narrows what was read at once;
/// the folder is read again when the path is assigned, and in the
/// background once the pattern has stopped changing for a moment (see
/// FolderModel), so renaming files does not change what the list shows.
/// While the folder is read the list holds nothing and shows that it is
/// reading. Names are kept as the exact bytes the folder holds; a name that
/// is not valid UTF-8 is shown with replacement marks but handed on
/// unchanged.
class FileListBox final : public LineList
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FileListBox)
    // Lets the window description set the starting pattern.
    Q_PROPERTY(QString pattern READ patternText WRITE setPattern)

public:
    explicit FileListBox(QWidget *parent = nullptr);
    ~FileListBox() override;

    /// Shows the files of \a files from now on, which the folder list shows
    /// too.
    void ShowFiles(FolderModel &files);

    std::string Path() const { return m_files->Path(); }
    /// Opens \a path in the folder model, which reads it.
    void SetPath(const std::string &path);
    std::string Pattern() const { return m_pattern; }
    /// Shows only the files whose names match \a pattern (see NamePattern);
    /// the pattern is kept for the next folder.
    void SetPattern(const std::string &pattern);
    /// Whether the folder is being read: the list holds nothing meanwhile.
    bool IsReading() const { return m_files->IsReading(); }

    /// Every listed name, in the order shown.
    const LineBlock &Names() const { return lines().lines(); }
    /// The folder the listed names were read from, held open until the next
    /// read starts, so that its files are renamed there even if its path is
    /// moved or taken by another folder meanwhile. None while reading.
    const HeldFolder &Folder() const { return m_files->Folder(); }

    QString patternText() const;
    /// SetPattern for the window description.
    void setPattern(const QString &pattern);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showMatches();

    FolderModel *m_files = nullptr;
    std::string m_pattern;
};

} // namespace quillet
