#pragma once

#include "lineblock.h"

#include <QAbstractListModel>
#include <QTableView>

#include <memory>
#include <string>
#include <vector>

namespace quillet {

/// The lines a list control shows, kept as the exact bytes the program gave
/// and shown as UTF-8 (invalid sequences as replacement marks). The text for
/// the view is made only for the rows it asks about.
class TextListModel final : public QAbstractListModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TextListModel)

public:
    explicit TextListModel(QObject *parent = nullptr) : QAbstractListModel(parent) {}

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    int count() const { return static_cast<int>(m_lines.size()); }
    const LineBlock &lines() const { return m_lines; }
    /// Line \a row, 0 <= row < count(); throws std::out_of_range otherwise.
    std::string_view line(int row) const;
    /// Replaces every line at once, with a single reset of the views, and
    /// returns the lines replaced.
    LineBlock setLines(LineBlock lines);
    /// Adds \a line at the end. The views hear of the lines added in one go
    /// once, when the event loop next runs, rather than once per line: a batch
    /// of many thousand lines does not let them repaint in between anyway.
    void append(std::string_view line);
    void reserve(std::size_t count, std::size_t bytes) { m_lines.reserve(count, bytes); }

private:
    void showAppended();

    LineBlock m_lines;
    int m_shownCount = 0; // the rows the views have been told of
};

/// Draws the style's focus frame just inside \a view's visible area while the
/// view has the keyboard focus. A list shows its focus on its current entry,
/// which an empty list lacks and a selected entry hides; the frame shows it
/// always. Called at the end of the view's paintEvent.
void PaintFocusFrame(QAbstractItemView &view);

/// Draws \a note, greyed, just below \a view's last entry: what the list
/// is waiting for. Called at the end of the view's paintEvent.
void PaintNote(QAbstractItemView &view, const QString &note);

/// A read-only list of lines in which one line at a time can be selected: a
/// table of one column whose rows all have one size, that of the widest
/// line, measured once as the lines arrive. It places any row without laying
/// out the rows before, as a list view would, so that showing or adding lines
/// costs in proportion to them, not to the list. A line wider than the list
/// is never cut short: the list scrolls sideways, and a tooltip shows a line
/// that is not wholly in view, wrapped to fit the screen.
class LineList : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LineList)

public:
    ~LineList() override;

    int ListCount() const;
    std::string List(int index) const;

protected:
    explicit LineList(QWidget *parent);

    TextListModel &lines() { return *m_lines; }
    const TextListModel &lines() const { return *m_lines; }

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    /// Makes the one column as wide as the widest line, or the list if wider.
    void fitColumn();
    /// Makes every row as high as a line of text.
    void fitRowHeight();

    std::unique_ptr<TextListModel> m_lines = std::make_unique<TextListModel>();
};

/// A plain list of lines that the program fills; the user can only select
/// and scroll.
class ListBox final : public LineList
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ListBox)

public:
    explicit ListBox(QWidget *parent = nullptr) : LineList(parent) {}
    ~ListBox() override;

    void Clear();
    /// Makes room for \a count lines of \a bytes in all, so that adding up to
    /// that many moves none of them.
    void Reserve(std::size_t count, std::size_t bytes);
    /// Adds \a item at the end.
    void AddItem(std::string_view item);
};

} // namespace quillet
