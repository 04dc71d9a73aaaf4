#include "filelistbox.h"

#include <algorithm>

namespace quillet {

FileListBox::FileListBox(QWidget *parent) : QListView(parent)
{
    ShowLinesIn(*this, *m_model);
}

FileListBox::~FileListBox() = default;

void FileListBox::SetPath(const std::string &path)
{
    m_path = path;
    try {
        load(path);
    } catch (const FolderError &) {
        // The folder list shows this folder open: listing the files of the
        // previous one would have them renamed under another folder's name.
        m_model->setLines({});
        m_folder = HeldFolder();
        throw;
    }
}

void FileListBox::SetPattern(const std::string &pattern)
{
    m_pattern = pattern;
    load(m_path);
}

int FileListBox::ListCount() const
{
    return m_model->count();
}

std::string FileListBox::List(int index) const
{
    return m_model->line(index);
}

QString FileListBox::patternText() const
{
    return QString::fromStdString(m_pattern);
}

void FileListBox::setPattern(const QString &pattern)
{
    // An exception here would escape the building of the window and end the
    // program before it could report anything. The folder is read again, and
    // any failure reported, when the user next picks a folder or a pattern.
    try {
        SetPattern(pattern.toStdString());
    } catch (const FolderError &) {
    }
}

void FileListBox::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    PaintFocusFrame(*this);
}

// Reads \a path and shows its matching files; on failure nothing changes.
// Names the pattern rejects are never looked at further, and the sorted names
// move into the model in one reset.
void FileListBox::load(const std::string &path)
{
    HeldFolder folder(path);
    std::vector<std::string> names = ReadFolder(folder, EntryKind::Files, NamePattern(m_pattern));
    std::sort(names.begin(), names.end(), NaturalLess);
    m_model->setLines(std::move(names));
    m_folder = std::move(folder);
}

} // namespace quillet
