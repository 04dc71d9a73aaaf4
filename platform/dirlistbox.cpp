#include "dirlistbox.h"

#include "folderpath.h"
#include "listbox.h"
#include "messages.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace quillet {

namespace {

enum EntryRole { PathRole = Qt::UserRole, DepthRole };

// How far an entry is shifted right by its depth in the folder tree. Half an
// icon per level keeps deep paths readable in a narrow list.
int indent(const QStyleOptionViewItem &option, const QModelIndex &index)
{
    return index.data(DepthRole).toInt() * option.decorationSize.width() / 2;
}

/// Shifts each entry right by its depth in the folder tree, so that the list
/// reads as a tree the way classic folder lists do.
class IndentDelegate final : public QStyledItemDelegate
{
    Q_DISABLE_COPY_MOVE(IndentDelegate)

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem indented = option;
        indented.rect.setLeft(option.rect.left() + indent(option, index));
        QStyledItemDelegate::paint(painter, indented, index);
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(indent(option, index), 0);
    }
};

void addEntry(QListWidget &list, std::string_view name, const std::string &path, int depth,
              const QIcon &icon)
{
    auto *item = new QListWidgetItem(
        icon, QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), &list);
    item->setData(PathRole, QByteArray::fromStdString(path));
    item->setData(DepthRole, depth);
}

} // namespace

DirListBox::DirListBox(QWidget *parent) : QListWidget(parent)
{
    setItemDelegate(new IndentDelegate(this));
    setEditTriggers(NoEditTriggers);
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { openEntry(index.row()); });
}

void DirListBox::ShowFolders(FolderModel &folders)
{
    m_folders = &folders;
    connect(m_folders, &FolderModel::Changed, this, &DirListBox::showFolders);
    showFolders();
}

void DirListBox::SetPath(const std::string &path)
{
    m_folders->Open(JoinFolderPath(SplitFolderPath(path)));
    emit Change();
}

std::string DirListBox::List(int index) const
{
    const QListWidgetItem *entry = item(index);
    if (entry == nullptr) {
        throw std::out_of_range("DirListBox::List: no entry " + std::to_string(index));
    }
    return entry->data(PathRole).toByteArray().toStdString();
}

void DirListBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openEntry(currentRow());
    } else {
        QListWidget::keyPressEvent(event);
    }
}

// Every entry spans the list's whole width, so the list's own scrolling would
// move to the far end of the widest entry, deep in the indentation of a deep
// folder. Instead the entry's icon and name come into view: whole where they
// fit, otherwise from the icon on, with as little sideways movement as that
// takes.
void DirListBox::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    QListWidget::scrollTo(index, hint);
    if (!index.isValid())
        return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int left = visualRect(index).left() + horizontalOffset();
    const int iconStart = left + indent(option, index);
    const int nameEnd = left + itemDelegate()->sizeHint(option, index).width();
    QScrollBar *bar = horizontalScrollBar();
    bar->setValue(std::min(iconStart, std::max(bar->value(), nameEnd - viewport()->width())));
}

void DirListBox::paintEvent(QPaintEvent *event)
{
    QListWidget::paintEvent(event);
    if (m_folders->DriveNotAnswering())
        PaintNote(*this, NotAnsweringNote());
    else if (IsReading())
        PaintNote(*this, ReadingNote());
    PaintFocusFrame(*this);
}

// The ancestors come from the path alone; only the subfolders need a read.
void DirListBox::showFolders()
{
    const std::string &folder = m_folders->Path();
    if (folder.empty())
        return; // none opened yet
    const bool sameFolder = std::exchange(m_shown, folder) == folder;
    const std::string highlighted = sameFolder && currentRow() >= 0 ? List(currentRow()) : folder;
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const FolderPathParts parts = SplitFolderPath(folder);
    std::string ancestor = parts.root;
    addEntry(*this, ancestor, ancestor, 0, openIcon);
    for (const std::string &name : parts.names) {
        ancestor = ChildPath(ancestor, name);
        addEntry(*this, name, ancestor, count(), openIcon);
    }
    const int openRow = count() - 1;
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (const std::string &name : m_folders->Folders())
        addEntry(*this, name, ChildPath(folder, name), openRow + 1, closedIcon);
    int row = openRow;
    for (int i = 0; i < count(); ++i)
        if (List(i) == highlighted)
            row = i;
    setCurrentRow(row);
    viewport()->update();
}

void DirListBox::openEntry(int row)
{
    if (item(row) != nullptr)
        SetPath(List(row));
}

} // namespace quillet
