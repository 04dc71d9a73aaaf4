#include "listbox.h"

#include "backgroundcall.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QStyleOptionFocusRect>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <utility>

namespace quillet {

namespace {

// Widths in 64ths of a pixel: whole numbers add up faster than floating
// point ones, and this fine a unit loses nothing that shows.
using Advance = qint64;
using AsciiAdvances = std::array<Advance, 128>;

Advance inUnits(qreal pixels)
{
    return qRound64(pixels * 64);
}

// How far \a line reaches when drawn with \a metrics. Plain ASCII, which
// nearly every file name is, is summed from \a ascii, the advance of each
// character, many times faster than laying out the text (only kerning, which
// mostly narrows, is left out); other text is laid out. The sum runs without
// a branch per byte, as a million names are measured at once.
Advance advanceOf(std::string_view line, const QFontMetricsF &metrics, const AsciiAdvances &ascii)
{
    Advance sum = 0;
    unsigned char highBits = 0;
    for (const char byte : line) {
        const auto code = static_cast<unsigned char>(byte);
        highBits |= code;
        sum += ascii[code & 0x7f];
    }
    if (highBits < ascii.size())
        return sum;
    return inUnits(
        metrics.horizontalAdvance(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()))));
}

// The tooltip that shows \a line in full near \a at, in rows no wider than
// half the screen there: a row breaks at a space, or, where a long file name
// has none, between any two characters. Rich text, so that a name that looks
// like markup shows as it is, each of its characters and spaces kept.
QString wrappedTip(const QString &line, const QPoint &at, const QWidget &view)
{
    const QScreen *screen = QGuiApplication::screenAt(at);
    const qreal width = (screen ? screen : view.screen())->availableGeometry().width() / 2.0;
    QTextLayout layout(line, QToolTip::font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList rows;
    layout.beginLayout();
    for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
        row.setLineWidth(width);
        rows << line.mid(row.textStart(), row.textLength()).toHtmlEscaped();
    }
    layout.endLayout();
    return QStringLiteral("<p style=\"white-space:pre\">") + rows.join(QStringLiteral("<br>")) +
           QStringLiteral("</p>");
}

/// Lays every line out as wide as the widest one, so that the list scrolls
/// sideways to the end of any line rather than cutting it short, and shows a
/// line that does not fit in view in full as a tooltip. The rows share one
/// size, which the view asks of one row only: the widths are measured once,
/// as the lines arrive, with the view's font.
class LineDelegate final : public QStyledItemDelegate
{
    Q_DISABLE_COPY_MOVE(LineDelegate)

public:
    LineDelegate(QAbstractItemView &view, const TextListModel &model)
        : QStyledItemDelegate(&view), m_view(view), m_model(model)
    {
        connect(&model, &QAbstractItemModel::modelReset, this, [this] {
            m_widestRow = 0;
            m_widestAdvance = 0;
            measure(0, m_model.rowCount() - 1);
        });
        connect(&model, &QAbstractItemModel::rowsInserted, this,
                [this](const QModelIndex &, int first, int last) { measure(first, last); });
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index.siblingAtRow(m_widestRow));
    }

    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override
    {
        if (event->type() != QEvent::ToolTip || !index.isValid())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        const int left = option.rect.left();
        const int right = left + QStyledItemDelegate::sizeHint(option, index).width();
        if (left >= 0 && right <= view->viewport()->width())
            QToolTip::hideText();
        else
            QToolTip::showText(event->globalPos(),
                               wrappedTip(index.data().toString(), event->globalPos(), *view),
                               view->viewport(), option.rect);
        return true;
    }

private:
    void measure(int first, int last)
    {
        const QFontMetricsF metrics(m_view.font());
        AsciiAdvances ascii{};
        for (std::size_t code = 0; code < ascii.size(); ++code)
            ascii[code] = inUnits(metrics.horizontalAdvance(QLatin1Char(static_cast<char>(code))));
        const LineBlock &lines = m_model.lines();
        for (int row = first; row <= last; ++row) {
            const Advance advance = advanceOf(lines[static_cast<std::size_t>(row)], metrics, ascii);
            if (advance > m_widestAdvance) {
                m_widestAdvance = advance;
                m_widestRow = row;
            }
        }
    }

    const QAbstractItemView &m_view;
    const TextListModel &m_model;
    int m_widestRow = 0;
    Advance m_widestAdvance = 0;
};

} // namespace

int TextListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shownCount;
}

QVariant TextListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const std::string_view text = line(index.row());
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string_view TextListModel::line(int row) const
{
    return m_lines.at(static_cast<std::size_t>(row));
}

LineBlock TextListModel::setLines(LineBlock lines)
{
    beginResetModel();
    std::swap(m_lines, lines);
    m_shownCount = count();
    endResetModel();
    return lines;
}

void TextListModel::append(std::string_view line)
{
    if (count() == m_shownCount)
        QMetaObject::invokeMethod(this, &TextListModel::showAppended, Qt::QueuedConnection);
    m_lines.append(line);
}

void TextListModel::showAppended()
{
    if (count() <= m_shownCount)
        return; // cleared since
    beginInsertRows({}, m_shownCount, count() - 1);
    m_shownCount = count();
    endInsertRows();
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

void PaintNote(QAbstractItemView &view, const QString &note)
{
    const int rows = view.model()->rowCount();
    const int top =
        rows == 0 ? 0 : view.visualRect(view.model()->index(rows - 1, 0)).bottom() + 1;
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    QPainter painter(view.viewport());
    painter.setPen(view.palette().color(QPalette::PlaceholderText));
    painter.drawText(view.viewport()->rect().adjusted(margin, top, -margin, 0),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, note);
}

LineList::LineList(QWidget *parent) : QTableView(parent)
{
    setModel(m_lines.get());
    setItemDelegate(new LineDelegate(*this, *m_lines));
    // After the delegate has measured the new lines.
    connect(m_lines.get(), &QAbstractItemModel::modelReset, this, &LineList::fitColumn);
    connect(m_lines.get(), &QAbstractItemModel::rowsInserted, this, &LineList::fitColumn);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    fitRowHeight();
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollMode(ScrollPerPixel);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    // Tab leaves the list, as it leaves the other lists.
    setTabKeyNavigation(false);
}

LineList::~LineList() = default;

int LineList::ListCount() const
{
    return m_lines->count();
}

std::string LineList::List(int index) const
{
    return std::string(m_lines->line(index));
}

void LineList::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    PaintFocusFrame(*this);
}

void LineList::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    fitColumn();
}

void LineList::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitRowHeight();
}

// Every row is as wide as the widest line, which the delegate gives for any
// row.
void LineList::fitColumn()
{
    int width = viewport()->width();
    if (m_lines->rowCount() > 0) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        width = std::max(width, itemDelegate()->sizeHint(option, m_lines->index(0, 0)).width());
    }
    setColumnWidth(0, width);
}

// A line of text is as high in one row as in any other. The height goes with
// the font, not with the lines, and is set before they come: setting it
// tells of every row it resizes, a million of them in a long list.
void LineList::fitRowHeight()
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("X");
    verticalHeader()->setDefaultSectionSize(
        style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height());
}

ListBox::~ListBox() = default;

void ListBox::Clear()
{
    LetGoInBackground(lines().setLines({}));
}

void ListBox::Reserve(std::size_t count, std::size_t bytes)
{
    lines().reserve(count, bytes);
}

void ListBox::AddItem(std::string_view item)
{
    lines().append(item);
}

} // namespace quillet
