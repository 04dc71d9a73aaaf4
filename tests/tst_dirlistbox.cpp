#include "dirlistbox.h"
#include "folderreader.h"
#include "foldermodel.h"
#include "messages.h"

#include "testutil.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <optional>

using namespace Qt::StringLiterals;
using quillet::DirListBox;
using quillet::FolderModel;
namespace fs = std::filesystem;

namespace {

// A folder list showing a folder model of its own, which reads through
// \a reader.
struct Shown
{
    explicit Shown(quillet::EntryReader reader = quillet::Services().readFolder)
        : folders(std::move(reader))
    {
        list.ShowFolders(folders);
    }

    FolderModel folders;
    DirListBox list;
};

enum Gesture { Click, DownKey, UpKey, DoubleClick, ReturnKey, EnterKey };

QByteArray raw(const std::string &path)
{
    return QByteArray::fromStdString(path);
}
// \a path with its '/' written as the system's separator.
QByteArray native(QByteArray path)
{
    return path.replace('/', testutil::separator());
}
void makeFolder(const QByteArray &path)
{
    fs::create_directories(quillet::NativePath(path.toStdString()));
}
void makeFile(const QByteArray &path)
{
    testutil::writeFile(path.toStdString(), "x");
}

QByteArrayList entries(const DirListBox &list)
{
    QByteArrayList paths;
    for (int i = 0; i < list.ListCount(); ++i) {
        paths << raw(list.List(i));
    }
    return paths;
}

// The root ("/" or "C:\"), each folder on the way down, and \a folder itself.
QByteArrayList ancestorsAndSelf(const QByteArray &folder)
{
    const char separator = testutil::separator();
    qsizetype at = folder.indexOf(separator);
    QByteArrayList paths{folder.left(at + 1)};
    while ((at = folder.indexOf(separator, at + 1)) >= 0) {
        paths << folder.left(at);
    }
    paths << folder;
    return paths;
}

void perform(DirListBox &list, Gesture gesture, int row)
{
    const QPoint centre = list.visualItemRect(list.item(row)).center();
    switch (gesture) {
    case DoubleClick: // arrives after the press and release of its first click
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centre);
        return QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, centre);
    case Click:
        return QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centre);
    case DownKey:
        return QTest::keyClick(&list, Qt::Key_Down);
    case UpKey:
        return QTest::keyClick(&list, Qt::Key_Up);
    case ReturnKey:
    case EnterKey: // on the entry highlighted beforehand
        list.setCurrentRow(row);
        return QTest::keyClick(&list, gesture == ReturnKey ? Qt::Key_Return : Qt::Key_Enter);
    }
}

} // namespace

class TestDirListBox : public QObject
{
    Q_OBJECT
    std::optional<testutil::TempFolder> m_dir;
    QByteArray m_root; // the test's folder

private slots:
    void init()
    {
        QVERIFY(m_dir.emplace().isValid());
        m_root = QByteArray::fromStdString(m_dir->path());
    }
    // The test's folder followed by \a tail, whose '/' become separators.
    QByteArray below(const QByteArray &tail) const { return m_root + native(tail); }
    void cleanup() { m_dir.reset(); }

    void setPath_listsAncestorsThenVisibleSubfoldersEachTime()
    {
        const QByteArray open = below("/a");
        const QByteArray rawName = "z" + QByteArray::fromStdString(testutil::rawNamePart());
        for (const QByteArray &name :
             {"/c10"_ba, "/c2"_ba, "/C1"_ba, "/.hidden"_ba, '/' + rawName}) {
            makeFolder(open + native(name));
        }
        makeFile(open + native("/file"));
        const auto at = [&](const char *name) {
            return quillet::NativePath((open + native(name)).toStdString());
        };
        std::error_code noLinks;
        std::error_code ignored;
        fs::create_directory_symlink(quillet::NativePath(m_root.toStdString()), at("/folder-link"),
                                     noLinks);
        fs::create_symlink(at("/file"), at("/file-link"), ignored);
        Shown shown;
        DirListBox &list = shown.list;
        QSignalSpy changes(&list, &DirListBox::Change);

        list.SetPath(open.toStdString());
        QVERIFY(testutil::readDone(list));
        makeFolder(open + native("/new"));
        list.SetPath(open.toStdString());
        QVERIFY(testutil::readDone(list));

        QByteArrayList expected = ancestorsAndSelf(open);
        QByteArrayList subfolders{"C1", "c2", "c10", "new", rawName};
        if (!noLinks) {
            subfolders.insert(3, "folder-link");
        }
        for (const QByteArray &name : subfolders) {
            expected << open + testutil::separator() + name;
        }
        QCOMPARE(entries(list), expected);
        QCOMPARE(list.item(0)->text(), QString::fromUtf8(expected.front()));
        QCOMPARE(list.currentItem()->text(), QStringLiteral("a"));
        QCOMPARE(raw(list.List(list.ListIndex())), open);
        QCOMPARE(changes.count(), 2);
    }

    void setPath_normalisesAgainstCurrentFolder_data()
    {
        // TMP stands for the test's folder, ROOT for the root that holds it;
        // '/' in the expected path for the system's separator.
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("slash/doubled") << QByteArray("TMP//a//b") << QByteArray("TMP/a/b");
        QTest::newRow("slash/trailing") << QByteArray("TMP/a/b/") << QByteArray("TMP/a/b");
        QTest::newRow("dot/single") << QByteArray("TMP/./a/b/.") << QByteArray("TMP/a/b");
        QTest::newRow("dot/parent-by-text") << QByteArray("TMP/a/no/../b") << QByteArray("TMP/a/b");
        QTest::newRow("relative/from-current") << QByteArray("a/b") << QByteArray("TMP/a/b");
        QTest::newRow("root/parent-of-root") << QByteArray("/../..") << QByteArray("ROOT");
        QTest::newRow("root/slashes-only") << QByteArray("///") << QByteArray("ROOT");
    }
    void setPath_normalisesAgainstCurrentFolder()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        makeFolder(below("/a/b"));
        const QString home = QDir::currentPath();
        const auto restore = qScopeGuard([&] { QDir::setCurrent(home); });
        QDir::setCurrent(QFile::decodeName(m_root));
        Shown shown;
        DirListBox &list = shown.list;

        list.SetPath(input.replace("TMP", m_root).toStdString());

        expected = native(expected)
                       .replace("TMP", m_root)
                       .replace("ROOT", ancestorsAndSelf(m_root).front());
        QCOMPARE(raw(list.Path()), expected);
        QCOMPARE(raw(list.List(list.ListIndex())), expected);
    }

    void gesture_highlightsOrOpens_data()
    {
        QTest::addColumn<int>("gesture");
        QTest::addColumn<QByteArray>("target"); // the entry the gesture lands on
        QTest::addColumn<bool>("opens");
        QTest::newRow("highlight/click") << int(Click) << QByteArray("/a/c") << false;
        QTest::newRow("highlight/down-key") << int(DownKey) << QByteArray("/a/b") << false;
        QTest::newRow("highlight/up-key") << int(UpKey) << QByteArray() << false;
        QTest::newRow("open/double-click") << int(DoubleClick) << QByteArray("/a/c") << true;
        QTest::newRow("open/return-key") << int(ReturnKey) << QByteArray("/a/b") << true;
        QTest::newRow("open/enter-key-ancestor") << int(EnterKey) << QByteArray() << true;
    }
    void gesture_highlightsOrOpens()
    {
        QFETCH(int, gesture);
        QFETCH(QByteArray, target);
        QFETCH(bool, opens);
        makeFolder(below("/a/b"));
        makeFolder(below("/a/c"));
        Shown shown;
        DirListBox &list = shown.list;
        list.SetPath(below("/a").toStdString());
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QVERIFY(testutil::readDone(list));
        const QByteArrayList before = entries(list);
        QSignalSpy changes(&list, &DirListBox::Change);

        perform(list, Gesture(gesture), int(before.indexOf(below(target))));

        QCOMPARE(raw(list.List(list.ListIndex())), below(target));
        QCOMPARE(raw(list.Path()), below(opens ? target : "/a"));
        QCOMPARE(changes.count(), opens ? 1 : 0);
    }

    // In a deep folder the entries sit far to the right. The open folder, and
    // an entry highlighted later, must show their icon and as much of their
    // name as fits: all of it, or at least its start.
    void currentEntry_showsIconAndName_data()
    {
        QTest::addColumn<QByteArray>("how");  // how the entry becomes the current one
        QTest::addColumn<QByteArray>("name"); // the deepest folder's
        const QByteArray longName = "The open folder, whose name is longer than the list";
        QTest::newRow("start/long name") << QByteArray("start") << longName;
        QTest::newRow("start/short name") << QByteArray("start") << QByteArray("x");
        QTest::newRow("set-path/long name") << QByteArray("set-path") << longName;
        QTest::newRow("up-key/parent") << QByteArray("up-key") << QByteArray("x");
    }
    void currentEntry_showsIconAndName()
    {
        QFETCH(QByteArray, how);
        QFETCH(QByteArray, name);
        QByteArray deep = m_root;
        for (int level = 10; level < 26; ++level) {
            deep += testutil::separator();
            deep += "level " + QByteArray::number(level);
        }
        deep += testutil::separator();
        deep += name;
        makeFolder(deep);
        const QString home = QDir::currentPath();
        const auto restore = qScopeGuard([&] { QDir::setCurrent(home); });
        QDir::setCurrent(QFile::decodeName(how == "start" ? deep : m_root));
        Shown shown;
        DirListBox &list = shown.list;
        list.resize(177, 111);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));

        if (how == "start") { // as the window opens its start folder
            shown.folders.Open(quillet::CurrentFolder());
        } else {
            list.SetPath(deep.toStdString());
        }
        if (how == "up-key") {
            perform(list, UpKey, list.ListIndex());
        }
        QVERIFY(testutil::readDone(list));

        const QModelIndex entry = list.currentIndex();
        const QRect rect = list.visualRect(entry);
        const int icon = list.style()->pixelMetric(QStyle::PM_ListViewIconSize, nullptr, &list);
        const int iconStart = rect.left() + entry.row() * icon / 2; // half an icon per level
        const int nameEnd = rect.left() + list.sizeHintForIndex(entry).width();
        const QRect inView = list.viewport()->rect();
        QVERIFY(inView.contains(QRect(iconStart, rect.top(), 1, rect.height())));
        QVERIFY(std::min(nameEnd, iconStart + 3 * icon) <= inView.width());
    }

    void open_unreadable_toldAndShownWithoutSubfolders_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("byUser");
        QTest::newRow("set-path/missing") << QByteArray("/missing") << false;
        QTest::newRow("set-path/plain-file") << QByteArray("/file") << false;
        QTest::newRow("user/removed-since-listed") << QByteArray("/gone") << true;
    }
    // The folder opens at once, before it is read; once its read fails it
    // shows its ancestors alone, and the failure is told once.
    void open_unreadable_toldAndShownWithoutSubfolders()
    {
        QFETCH(QByteArray, name);
        QFETCH(bool, byUser);
        makeFolder(below("/gone"));
        makeFile(below("/file"));
        Shown shown;
        DirListBox &list = shown.list;
        list.SetPath(m_root.toStdString());
        QVERIFY(testutil::readDone(list));
        const QByteArrayList before = entries(list);
        fs::remove(quillet::NativePath(below("/gone").toStdString()));
        QStringList told;
        connect(&shown.folders, &FolderModel::ReadFailed, &list,
                [&](const quillet::FolderError &failure) { told << quillet::UserMessage(failure); });
        QSignalSpy changes(&list, &DirListBox::Change);

        if (byUser) { // nothing may escape into the event loop
            perform(list, ReturnKey, int(before.indexOf(below(name))));
        } else {
            list.SetPath(below(name).toStdString());
        }
        const QImage reading = list.grab().toImage(); // with its note
        QVERIFY(testutil::readDone(list));
        QVERIFY(list.grab().toImage() != reading);

        QCOMPARE(told.size(), 1);
        QVERIFY2(told.front().contains(QString::fromUtf8(below(name))), qPrintable(told[0]));
        QCOMPARE(entries(list), ancestorsAndSelf(below(name)));
        QCOMPARE(raw(list.Path()), below(name));
        QCOMPARE(changes.count(), 1);
    }

    // While the open folder's read hangs, the user opens another: it shows
    // its own subfolders, and the older read's, whenever they come, never.
    void pendingRead_folderOpenedMeanwhileWins()
    {
        makeFolder(below("/hung/x"));
        makeFolder(below("/free/y"));
        testutil::Hang hang;
        hang.holdFolder(below("/hung").toStdString());
        Shown shown(hang.services().readFolder);
        DirListBox &list = shown.list;
        list.SetPath(below("/hung").toStdString());
        QTRY_COMPARE(hang.waiting(), 1);
        QVERIFY(list.IsReading());
        QCOMPARE(entries(list), ancestorsAndSelf(below("/hung")));

        list.SetPath(below("/free").toStdString());
        QVERIFY(testutil::readDone(list));
        hang.release();
        QTRY_COMPARE(hang.waiting(), 0);
        QTest::qWait(50); // the older read's result, had it been kept, would arrive now

        QCOMPARE(entries(list), ancestorsAndSelf(below("/free")) << below("/free/y"));
    }

};

QTEST_MAIN(TestDirListBox)
#include "tst_dirlistbox.moc"
