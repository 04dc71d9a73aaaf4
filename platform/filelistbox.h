#pragma once

#include "besidecall.h"
#include "folderlisting.h"
#include "listbox.h"
#include "startfolder.h"

#include <QListView>

#include <memory>
#include <string>

namespace quillet {

/// Lists the files of one folder whose names match a pattern, in natural
/// order. The folder is read when Path or Pattern is assigned and at no other
/// time, so renaming files does not change what the list shows. It is read
/// beside the window: meanwhile the list holds nothing and shows that it is
/// reading, and a newer assignment abandons the read. Names are kept as the
/// exact bytes the folder holds; a name that is not valid UTF-8 is shown with
/// replacement marks but handed on unchanged.
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
    /// Reads \a path and shows its matching files. A folder that cannot be
    /// read is told by ReadFailed, and then no file is shown.
    void SetPath(const std::string &path);
    std::string Pattern() const { return m_pattern; }
    /// Reads the folder again and shows only the files whose names match
    /// \a pattern (see NamePattern). A failure is told as by SetPath; the
    /// pattern is kept for the next folder.
    void SetPattern(const std::string &pattern);
    /// Whether the folder is being read: the list holds nothing meanwhile.
    bool IsReading() const { return m_reading != nullptr; }

    int ListCount() const;
    std::string List(int index) const;
    /// Every listed name, in the order shown.
    const std::vector<std::string> &Names() const { return m_model->lines(); }
    /// The folder the listed names were read from, held open until the next
    /// read starts, so that its files are renamed there even if its path is
    /// moved or taken by another folder meanwhile. None while reading.
    const HeldFolder &Folder() const { return m_folder; }

    QString patternText() const;
    /// SetPattern for the window description.
    void setPattern(const QString &pattern);

signals:
    /// A read has started or ended; IsReading() tells which.
    void ReadingChanged();
    /// The folder could not be read; sent just before the read ends.
    void ReadFailed(const quillet::FolderError &failure);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void read();
    void showListing(FolderListing listing);

    std::string m_path = StartFolder();
    std::string m_pattern;
    HeldFolder m_folder;
    std::unique_ptr<TextListModel> m_model = std::make_unique<TextListModel>();
    std::unique_ptr<BesideCall> m_reading;
};

} // namespace quillet
