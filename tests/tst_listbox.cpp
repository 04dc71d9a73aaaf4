#include "listbox.h"

#include "testutil.h"

#include <QSignalSpy>
#include <QTest>

#include <string>
#include <vector>

using namespace quillet;
using testutil::listed;
using Lines = std::vector<std::string>;

class TestListBox : public QObject
{
    Q_OBJECT

private slots:
    void addItem_appendsInOrder();
    void clear_emptiesBeforeNewItems();
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

QTEST_MAIN(TestListBox)
#include "tst_listbox.moc"
