#include "filelistbox.h"

#include "messages.h"

#include <utility>

namespace quillet {

FileListBox::FileListBox(QWidget *parent) : QListView(parent)
{
    ShowLinesIn(*this, *m_model);
}

FileListBox::~FileListBox() = default;

void FileListBox::SetPath(const std::string &path)
{
    m_path = path;
    read();
}

void FileListBox::SetPattern(const std::string &pattern)
{
    m_pattern = pattern;
    read();
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
    SetPattern(pattern.toStdString());
}

void FileListBox::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    if (IsReading())
        PaintNote(*this, ReadingNote());
    PaintFocusFrame(*this);
}

// Until the new read has ended nothing is listed: the names of the folder or
// pattern before would otherwise be renamed under the new ones. A read still
// pending goes with its result.
void FileListBox::read()
{
    FreeBeside(m_model->setLines({}));
    m_folder = HeldFolder();
    m_reading = ListBeside(m_path, EntryKind::Files, m_pattern,
                           [this](FolderListing listing) { showListing(std::move(listing)); });
    viewport()->update();
    emit ReadingChanged();
}

// The sorted names move into the model in one reset.
void FileListBox::showListing(FolderListing listing)
{
    // Called from the read's own signal: it goes once that has returned.
    m_reading.release()->deleteLater();
    m_folder = std::move(listing.folder);
    m_model->setLines(std::move(listing.names));
    viewport()->update();
    if (listing.failure)
        emit ReadFailed(*listing.failure);
    emit ReadingChanged();
}

} // namespace quillet
