#include "dirlistbox.h"
#include "eventhandler.h"
#include "folderreader.h"

#include "testutil.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <optional>

using quillet::DirListBox;
namespace fs = std::filesystem;

namespace {

enum Gesture { Click, DownKey, UpKey, DoubleClick, ReturnKey, EnterKey };

QByteArray raw(const std::string &path)
{
    return QByteArray::fromStdString(path);
}
void makeFolder(const QByteArray &path)
{
    fs::create_directories(path.constData());
}
void makeFile(const QByteArray &path)
{
    std::ofstream(path.constData()).put('x');
}

QByteArrayList entries(const DirListBox &list)
{
    QByteArrayList paths;
    for (int i = 0; i < list.ListCount(); ++i) {
        paths << raw(list.List(i));
    }
    return paths;
}

QByteArrayList ancestorsAndSelf(fs::path folder)
{
    QByteArrayList paths{QByteArray::fromStdString(folder.string())};
    for (; folder != folder.root_path(); folder = folder.parent_path()) {
        paths.prepend(QByteArray::fromStdString(folder.parent_path().string()));
    }
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
    void cleanup() { m_dir.reset(); }

    void setPath_listsAncestorsThenVisibleSubfoldersEachTime()
    {
        const QByteArray open = m_root + "/a";
        for (const char *name : {"/c10", "/c2", "/C1", "/.hidden", "/z\xe9"}) {
            makeFolder(open + name);
        }
        makeFile(open + "/file");
        fs::create_directory_symlink(m_root.constData(), (open + "/folder-link").constData());
        fs::create_symlink((open + "/file").constData(), (open + "/file-link").constData());
        DirListBox list;
        QSignalSpy changes(&list, &DirListBox::Change);

        list.SetPath(open.toStdString());
        makeFolder(open + "/new");
        list.SetPath(open.toStdString());

        QByteArrayList expected = ancestorsAndSelf(open.constData());
        for (const char *name : {"/C1", "/c2", "/c10", "/folder-link", "/new", "/z\xe9"}) {
            expected << open + name;
        }
        QCOMPARE(entries(list), expected);
        QCOMPARE(list.item(0)->text(), QStringLiteral("/"));
        QCOMPARE(list.currentItem()->text(), QStringLiteral("a"));
        QCOMPARE(raw(list.List(list.ListIndex())), open);
        QCOMPARE(changes.count(), 2);
    }

    void setPath_normalisesAgainstCurrentFolder_data()
    {
        QTest::addColumn<QByteArray>("input"); // TMP stands for the test's folder
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("slash/doubled") << QByteArray("TMP//a//b") << QByteArray("TMP/a/b");
        QTest::newRow("slash/trailing") << QByteArray("TMP/a/b/") << QByteArray("TMP/a/b");
        QTest::newRow("dot/single") << QByteArray("TMP/./a/b/.") << QByteArray("TMP/a/b");
        QTest::newRow("dot/parent-by-text") << QByteArray("TMP/a/no/../b") << QByteArray("TMP/a/b");
        QTest::newRow("relative/from-current") << QByteArray("a/b") << QByteArray("TMP/a/b");
        QTest::newRow("root/parent-of-root") << QByteArray("/../..") << QByteArray("/");
        QTest::newRow("root/slashes-only") << QByteArray("///") << QByteArray("/");
    }
    void setPath_normalisesAgainstCurrentFolder()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        makeFolder(m_root + "/a/b");
        const QString home = QDir::currentPath();
        const auto restore = qScopeGuard([&] { QDir::setCurrent(home); });
        QDir::setCurrent(QFile::decodeName(m_root));
        DirListBox list;
        QCOMPARE(raw(list.Path()), m_root); // opened at the current folder

        list.SetPath(input.replace("TMP", m_root).toStdString());

        QCOMPARE(raw(list.Path()), expected.replace("TMP", m_root));
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
        makeFolder(m_root + "/a/b");
        makeFolder(m_root + "/a/c");
        DirListBox list;
        list.SetPath((m_root + "/a").toStdString());
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const QByteArrayList before = entries(list);
        QSignalSpy changes(&list, &DirListBox::Change);

        perform(list, Gesture(gesture), int(before.indexOf(m_root + target)));

        QCOMPARE(raw(list.List(list.ListIndex())), m_root + target);
        QCOMPARE(raw(list.Path()), m_root + (opens ? target : "/a"));
        QCOMPARE(changes.count(), opens ? 1 : 0);
    }

    void open_unreadable_reportsAndKeepsList_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("byUser");
        QTest::newRow("set-path/missing") << QByteArray("/missing") << false;
        QTest::newRow("set-path/plain-file") << QByteArray("/file") << false;
        QTest::newRow("user/removed-since-listed") << QByteArray("/gone") << true;
    }
    void open_unreadable_reportsAndKeepsList()
    {
        QFETCH(QByteArray, name);
        QFETCH(bool, byUser);
        makeFolder(m_root + "/gone");
        makeFile(m_root + "/file");
        DirListBox list;
        list.SetPath(m_root.toStdString());
        const QByteArrayList before = entries(list);
        fs::remove((m_root + "/gone").constData());
        QStringList reported;
        const auto previous = quillet::SetErrorReporter(
            [&](QWidget *, const QString &message) { reported << message; });
        const auto restore = qScopeGuard([&] { quillet::SetErrorReporter(previous); });
        QSignalSpy changes(&list, &DirListBox::Change);

        if (byUser) { // nothing may escape into the event loop
            perform(list, ReturnKey, int(before.indexOf(m_root + name)));
        } else {
            try {
                list.SetPath((m_root + name).toStdString());
            } catch (const quillet::FolderError &error) {
                reported << QString::fromUtf8(error.what());
            }
        }

        QCOMPARE(reported.size(), 1);
        QVERIFY2(reported.front().contains(QFile::decodeName(m_root + name)),
                 qPrintable(reported[0]));
        QCOMPARE(entries(list), before);
        QCOMPARE(raw(list.Path()), m_root);
        QCOMPARE(changes.count(), 0);
    }

    void construct_currentFolderRemoved_opensRoot()
    {
        const QString home = QDir::currentPath();
        const auto restore = qScopeGuard([&] { QDir::setCurrent(home); });
        makeFolder(m_root + "/gone");
        fs::current_path((m_root + "/gone").constData());
        fs::remove((m_root + "/gone").constData());

        QCOMPARE(raw(DirListBox().Path()), QByteArray("/"));
    }
};

QTEST_MAIN(TestDirListBox)
#include "tst_dirlistbox.moc"
