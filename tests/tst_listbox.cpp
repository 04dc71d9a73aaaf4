#include "listbox.h"

#include "testutil.h"

#include <QFontDatabase>
#include <QHelpEvent>
#include <QScrollBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>

#include <string>
#include <vector>

using namespace quillet;
using testutil::listed;
using Lines = std::vector<std::string>;

Q_DECLARE_METATYPE(Lines)

namespace {

const std::string longLine = "A photo of the whole family by the lake at sunrise, third day.JPG";

// Qt's offscreen platform plugin on Windows has no fonts, so text there has no width.
const char *const noFonts = "this platform plugin has no fonts to measure";

// Points at the middle of the visible part of \a row, as the mouse rests there.
void askTooltip(QAbstractItemView &view, int row)
{
    const QRect visible = view.visualRect(view.model()->index(row, 0)) & view.viewport()->rect();
    QHelpEvent event(QEvent::ToolTip, visible.center(),
                     view.viewport()->mapToGlobal(visible.center()));
    QApplication::sendEvent(view.viewport(), &event);
}

// The tooltip shown, as plain text, and how wide its widest row is.
std::pair<QString, qreal> shownTip()
{
    QTextDocument tip;
    tip.setHtml(QToolTip::text());
    return {tip.toPlainText().remove(u'\n'), tip.idealWidth()};
}

// The first row whose line \a view cuts short, or -1.
int firstCutRow(const QAbstractItemView &view)
{
    for (int row = 0; row < view.model()->rowCount(); ++row) {
        const QModelIndex index = view.model()->index(row, 0);
        if (view.visualRect(index).width() <=
            view.fontMetrics().horizontalAdvance(index.data().toString()))
            return row;
    }
    return -1;
}

} // namespace

class TestListBox : public QObject
{
    Q_OBJECT

private slots:
    void addItem_appendsInOrder();
    void clear_emptiesBeforeNewItems();
    void lineBlock_copiesChangeApart();
    void longLines_scrollSidewaysUncut_data();
    void longLines_scrollSidewaysUncut();
    void tooltip_showsOnlyLinesNotWhollyInView();
};

// The view is told of the new rows once, and shows the bytes as UTF-8.
void TestListBox::addItem_appendsInOrder()
{
    ListBox box;
    const QSignalSpy inserted(box.model(), &QAbstractItemModel::rowsInserted);

    for (const char *line : {"b", "caf\xc3\xa9", "caf\xe9", "b"})
        box.AddItem(line);

    QCOMPARE(listed(box), (Lines{"b", "caf\xc3\xa9", "caf\xe9", "b"}));
    QTRY_COMPARE(box.model()->rowCount(), 4);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(box.model()->index(1, 0).data().toString(), QStringLiteral(u"caf\u00e9"));
    QCOMPARE(box.model()->index(2, 0).data().toString(), QStringLiteral(u"caf\uFFFD"));
}

void TestListBox::clear_emptiesBeforeNewItems()
{
    ListBox box;
    box.AddItem("old 1");
    box.AddItem("old 2");

    box.Clear();
    QCOMPARE(box.ListCount(), 0);
    QCOMPARE(box.model()->rowCount(), 0);

    box.AddItem("new");
    QCOMPARE(listed(box), Lines{"new"});
    QTRY_COMPARE(box.model()->rowCount(), 1);
    QCOMPARE(box.model()->index(0, 0).data().toString(), QStringLiteral("new"));
}

// Copies share their lines until one of them changes.
void TestListBox::lineBlock_copiesChangeApart()
{
    LineBlock first;
    first.append("a.JPG");
    LineBlock copy = first;
    copy.append("b.JPG");
    first.append("c.JPG");

    QCOMPARE(copy.strings(), (Lines{"a.JPG", "b.JPG"}));
    QCOMPARE(first.strings(), (Lines{"a.JPG", "c.JPG"}));
}

// The rows share one size, which the view takes from a single row: it must be
// the widest line's, wherever that line is and however it came, and as high
// as a line of text in the list's font, even one set once lines have come.
// The list shows a long line before, which must not widen the new lines.
void TestListBox::longLines_scrollSidewaysUncut_data()
{
    QTest::addColumn<Lines>("set");
    QTest::addColumn<Lines>("appended");
    QTest::addColumn<bool>("scrolls");
    QTest::addColumn<bool>("largerFont");

    QTest::newRow("set/widest first")
        << Lines{longLine, "a.JPG", "b.JPG"} << Lines{} << true << false;
    QTest::newRow("set/widest last")
        << Lines{"a.JPG", "b.JPG", longLine} << Lines{} << true << false;
    QTest::newRow("appended/widest later")
        << Lines{"a.JPG"} << Lines{"b.JPG", longLine, "c.JPG"} << true << false;
    QTest::newRow("appended/after clearing") << Lines{} << Lines{"a.JPG"} << false << false;
    QTest::newRow("set/all fit") << Lines{"a.JPG", "b.JPG"} << Lines{} << false << false;
    QTest::newRow("set/larger font") << Lines{"a.JPG", longLine} << Lines{} << true << true;
}

void TestListBox::longLines_scrollSidewaysUncut()
{
    QFETCH(Lines, set);
    QFETCH(Lines, appended);
    QFETCH(bool, scrolls);
    QFETCH(bool, largerFont);
    if (QFontDatabase::families().isEmpty())
        QSKIP(noFonts);
    // Sets and appends lines as the file list and the result list do.
    struct Shown : LineList
    {
        Shown() : LineList(nullptr) {}
        using LineList::lines;
    } box;
    box.resize(161, 134);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    const auto blockOf = [](const Lines &lines) {
        LineBlock block;
        for (const std::string &line : lines)
            block.append(line);
        return block;
    };
    box.lines().setLines(blockOf({longLine}));
    if (largerFont)
        box.setFont(QFont(box.font().family(), box.font().pointSize() * 3));
    box.lines().setLines(blockOf(set));
    for (const std::string &line : appended)
        box.lines().append(line);
    QTRY_COMPARE(box.model()->rowCount(), box.ListCount());
    QCoreApplication::processEvents();

    QCOMPARE(box.horizontalScrollBar()->maximum() > 0, scrolls);
    QCOMPARE(firstCutRow(box), -1);
    QVERIFY(box.rowHeight(0) >= box.fontMetrics().height());
}

void TestListBox::tooltip_showsOnlyLinesNotWhollyInView()
{
    if (QFontDatabase::families().isEmpty())
        QSKIP(noFonts);
    // A name without spaces, longer than the screen is wide, wraps too.
    const std::string unspaced = "<b>&amp;" + std::string(300, 'x') + ".JPG";
    ListBox box;
    box.resize(161, 134);
    box.AddItem("short.JPG");
    box.AddItem(longLine);
    box.AddItem(unspaced);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTRY_COMPARE(box.model()->rowCount(), 3);

    askTooltip(box, 1);
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(shownTip().first, QString::fromStdString(longLine));
    askTooltip(box, 2);
    QCOMPARE(shownTip().first, QString::fromStdString(unspaced));
    QVERIFY(shownTip().second <= box.screen()->availableGeometry().width());
    askTooltip(box, 0);
    QTRY_VERIFY(!QToolTip::isVisible());
    box.horizontalScrollBar()->setValue(box.horizontalScrollBar()->maximum());
    askTooltip(box, 1);
    QVERIFY(QToolTip::isVisible());
}

QTEST_MAIN(TestListBox)
#include "tst_listbox.moc"
