#pragma once

#include "batch.h"

#include <QListView>

#include <memory>
#include <string>

namespace quillet {

class FileNameModel;

/// Lists the files of one folder whose names match a pattern. The folder is
/// read when Path or Pattern is assigned and at no other time, so renaming
/// files does not change what the list shows. Names are kept as the exact
/// bytes the folder holds; a name that is not valid UTF-8 is shown with
/// replacement marks but handed on unchanged.
class FileListBox final : public QListView, public NameList, public FolderSource
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FileListBox)
    // Lets the window description set the starting pattern.
    Q_PROPERTY(QString pattern READ patternText WRITE setPattern)

public:
    /// Starts on the current working folder, without reading it.
    explicit FileListBox(QWidget *parent = nullptr);
    ~FileListBox() override;

    std::string Path() const;
    /// Shows the matching files of \a path; throws FolderError if it cannot be read.
    void SetPath(const std::string &path);
    std::string Pattern() const;
    /// Shows only the files whose names match \a pattern (see NamePattern).
    void SetPattern(const std::string &pattern);

    int ListCount() const override;
    std::string List(int index) const override;
    std::string FolderPath() const override { return Path(); }

    QString patternText() const;
    void setPattern(const QString &pattern);

private:
    void reload();

    std::string m_path;
    std::string m_pattern;
    std::unique_ptr<FileNameModel> m_model;
};

} // namespace quillet
