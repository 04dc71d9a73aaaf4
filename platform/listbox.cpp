#include "listbox.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace quillet {

int TextListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shownCount;
}

QVariant TextListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const std::string &text = line(index.row());
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const std::string &TextListModel::line(int row) const
{
    return m_lines.at(static_cast<std::size_t>(row));
}

void TextListModel::setLines(std::vector<std::string> lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    m_shownCount = count();
    endResetModel();
}

void TextListModel::append(const std::string &line)
{
    if (count() == m_shownCount)
        QMetaObject::invokeMethod(this, &TextListModel::showAppended, Qt::QueuedConnection);
    m_lines.push_back(line);
}

void TextListModel::showAppended()
{
    if (count() <= m_shownCount)
        return; // cleared since
    beginInsertRows({}, m_shownCount, count() - 1);
    m_shownCount = count();
    endInsertRows();
}

void ShowLinesIn(QListView &view, TextListModel &model)
{
    view.setModel(&model);
    view.setUniformItemSizes(true);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void PaintFocusFrame(QAbstractItemView &view)
{
    if (!view.hasFocus())
        return;
    QPainter painter(view.viewport());
    QStyleOptionFocusRect frame;
    frame.initFrom(&view);
    frame.rect = view.viewport()->rect();
    frame.backgroundColor = view.palette().color(view.viewport()->backgroundRole());
    view.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, &view);
}

ListBox::ListBox(QWidget *parent) : QListView(parent)
{
    ShowLinesIn(*this, *m_model);
}

ListBox::~ListBox() = default;

void ListBox::Clear()
{
    m_model->setLines({});
}

void ListBox::AddItem(const std::string &item)
{
    m_model->append(item);
}

int ListBox::ListCount() const
{
    return m_model->count();
}

std::string ListBox::List(int index) const
{
    return m_model->line(index);
}

void ListBox::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    PaintFocusFrame(*this);
}

} // namespace quillet
