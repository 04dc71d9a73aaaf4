#include "filelistbox.h"

#include "messages.h"

#include <utility>

namespace quillet {

FileListBox::FileListBox(QWidget *parent) : LineList(parent) {}

FileListBox::~FileListBox() = default;

void FileListBox::ShowFiles(FolderModel &files)
{
    m_files = &files;
    m_files->SetFilePattern(m_pattern);
    connect(m_files, &FolderModel::Changed, this, &FileListBox::showMatches);
    showMatches();
}

void FileListBox::SetPath(const std::string &path)
{
    m_files->Open(path);
}

// The window description sets the pattern before the list has files to show.
void FileListBox::SetPattern(const std::string &pattern)
{
    m_pattern = pattern;
    if (m_files == nullptr)
        return;
    m_files->SetFilePattern(pattern);
    m_files->ReadAgainSoon();
    showMatches();
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
    QTableView::paintEvent(event);
    if (m_files->DriveNotAnswering())
        PaintNote(*this, NotAnsweringNote());
    else if (IsReading())
        PaintNote(*this, ReadingNote());
    PaintFocusFrame(*this);
}

void FileListBox::showMatches()
{
    LetGoInBackground(lines().setLines(m_files->TakeMatchingFiles(m_pattern)));
    viewport()->update();
}

} // namespace quillet
