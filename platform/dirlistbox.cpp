#include "dirlistbox.h"

#include "eventhandler.h"
#include "folderpath.h"
#include "listbox.h"
#include "messages.h"
#include "startfolder.h"

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

    // The window must come up even when its start folder has gone, never was
    // or cannot be read; the root is always there. A start folder that cannot
    // even be named is told once the window listens, as a failed read is.
    try {
        open(SplitFolderPath(StartFolder()));
        m_readingStart = true;
    } catch (const FolderError &failure) {
        QMetaObject::invokeMethod(
            this, [this, failure] { openRootInstead(failure); }, Qt::QueuedConnection);
    }
}

void DirListBox::SetPath(const std::string &path)
{
    open(SplitFolderPath(path));
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
    if (IsReading())
        PaintNote(*this, ReadingNote());
    PaintFocusFrame(*this);
}

// The ancestors come from the path alone; only the subfolders need a read,
// and one still pending for another folder goes with its result.
void DirListBox::open(const FolderPathParts &parts)
{
    const std::string folder = JoinFolderPath(parts);
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    std::string ancestor = parts.root;
    addEntry(*this, ancestor, ancestor, 0, openIcon);
    for (const std::string &name : parts.names) {
        ancestor = ChildPath(ancestor, name);
        addEntry(*this, name, ancestor, count(), openIcon);
    }
    setCurrentRow(count() - 1);
    m_path = folder;
    m_readingStart = false;
    m_reading = ListBeside(folder, EntryKind::Folders, "*",
                           [this](FolderListing listing) { showSubfolders(std::move(listing)); });
    viewport()->update();
    emit ReadingChanged();
}

void DirListBox::showSubfolders(FolderListing listing)
{
    // Called from the read's own signal: it goes once that has returned.
    m_reading.release()->deleteLater();
    const bool start = std::exchange(m_readingStart, false);
    if (listing.failure && start)
        return openRootInstead(*listing.failure);
    const int depth = count();
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (const std::string &name : listing.names) {
        addEntry(*this, name, ChildPath(m_path, name), depth, closedIcon);
    }
    viewport()->update();
    if (listing.failure)
        emit ReadFailed(*listing.failure);
    emit ReadingChanged();
}

// Opened without Change, as the start folder was.
void DirListBox::openRootInstead(const FolderError &failure)
{
    open(SplitFolderPath(FallbackFolder()));
    emit StartFailed(failure);
}

void DirListBox::openEntry(int row)
{
    RunHandler(window(), [this, row] { SetPath(List(row)); });
}

} // namespace quillet
