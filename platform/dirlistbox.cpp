#include "dirlistbox.h"

#include "eventhandler.h"
#include "folderreader.h"
#include "namematch.h"

#include <QKeyEvent>
#include <QStyledItemDelegate>

#include <algorithm>
#include <ranges>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace quillet {

namespace {

enum EntryRole { PathRole = Qt::UserRole, DepthRole };

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

private:
    // Half an icon per level keeps deep paths readable in a narrow list.
    static int indent(const QStyleOptionViewItem &option, const QModelIndex &index)
    {
        return index.data(DepthRole).toInt() * option.decorationSize.width() / 2;
    }
};

/// The names along \a path, from the root down, with empty and "." components
/// dropped and each ".." taking away the name before it. Works on the bytes, so
/// names that are not valid UTF-8 come through unchanged.
std::vector<std::string_view> components(std::string_view path)
{
    std::vector<std::string_view> names;
    for (const auto part : std::views::split(path, '/')) {
        const std::string_view name(part.begin(), part.end());
        if (name == "..") {
            if (!names.empty()) {
                names.pop_back();
            }
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
    }
    return names;
}

std::string childPath(const std::string &parent, std::string_view name)
{
    std::string child = parent == "/" ? std::string() : parent;
    child += '/';
    child += name;
    return child;
}

std::string absolutePath(const std::string &path)
{
    if (path.starts_with('/')) {
        return path;
    }
    const std::string current = CurrentFolder();
    if (!current.starts_with('/')) {
        throw FolderError(path, "the current folder, which it is relative to, cannot be found");
    }
    return current + '/' + path;
}

std::string normalisePath(const std::string &path)
{
    const std::string absolute = absolutePath(path);
    std::string normal = "/";
    for (const std::string_view name : components(absolute)) {
        normal = childPath(normal, name);
    }
    return normal;
}

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

    // The window must come up even when started in a folder that has since
    // gone or cannot be read; the root is always there.
    try {
        open(normalisePath("."));
    } catch (const FolderError &) {
        open("/");
    }
}

void DirListBox::SetPath(const std::string &path)
{
    open(normalisePath(path));
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

void DirListBox::open(const std::string &folder)
{
    // Read first: a folder that cannot be read leaves the list as it was.
    std::vector<std::string> subfolders = ReadFolder(folder, EntryKind::Folders);
    std::ranges::sort(subfolders, NaturalLess);

    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    std::string ancestor = "/";
    addEntry(*this, ancestor, ancestor, 0, openIcon);
    for (const std::string_view name : components(folder)) {
        ancestor = childPath(ancestor, name);
        addEntry(*this, name, ancestor, count(), openIcon);
    }
    setCurrentRow(count() - 1);

    const int depth = count();
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (const std::string &name : subfolders) {
        addEntry(*this, name, childPath(folder, name), depth, closedIcon);
    }
    m_path = folder;
}

void DirListBox::openEntry(int row)
{
    RunHandler(window(), [this, row] { SetPath(List(row)); });
}

} // namespace quillet
