#include "batch.h"
#include "messages.h"
#include "namefile.h"

#include "fakeroles.h"
#include "testutil.h"

#include <QTest>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

using namespace quillet;
using quillet::NativePath;
using quillet::PathBytes;
using testutil::FakeFlag;
using testutil::FakeFolder;
using testutil::FakeNames;
using testutil::FakeSink;
using testutil::folderNames;
using testutil::join;
using testutil::Names;
using testutil::readFile;
using testutil::writeFile;

namespace {

// One batch over real files in a fresh temporary folder; each file's
// content is its own original name, so a test can tell where it went.
struct Batch
{
    testutil::TempFolder dir;
    std::string folder = dir.path();
    FakeNames names;
    FakeFolder source;
    FakeFlag flag;
    FakeSink results;
    FileRenamer renamer;

    explicit Batch(Names files)
    {
        source.path = folder;
        for (const auto &name : files)
            writeFile(join(folder, name), name);
        names.names = std::move(files);
    }
    void run() { RunRemoveSpaces({names, source, flag, results, renamer}); }
    std::string content(const std::string &name) const { return readFile(join(folder, name)); }
};

} // namespace

class TestBatch : public QObject
{
    Q_OBJECT

private slots:
    void run_renamesAndListsInOrder_data();
    void run_renamesAndListsInOrder();
    void run_emptyList_clearsResultsOnly();
    void run_folderWithTrailingSeparator_renames();
    void run_symlink_renamesLinkNotTarget();
    void run_stopsAtFirstFailure_data();
    void run_stopsAtFirstFailure();
};

void TestBatch::run_renamesAndListsInOrder_data()
{
    QTest::addColumn<Names>("files");
    QTest::addColumn<int>("flag");
    QTest::addColumn<Names>("expected");

    QTest::newRow("flag/unchecked") << Names{"a b.jpg", "c.jpg"} << 0 << Names{"ab.jpg", "c.jpg"};
    QTest::newRow("flag/checked") << Names{"a b.jpg", "c.jpg"} << 1 << Names{"a_b.jpg", "c.jpg"};
    QTest::newRow("flag/grayed") << Names{"a b.jpg", "c.jpg"} << 2 << Names{"ab.jpg", "c.jpg"};
    QTest::newRow("order/list order, not name order")
        << Names{"z z.jpg", "a a.jpg", "m.jpg"} << 0 << Names{"zz.jpg", "aa.jpg", "m.jpg"};
    const std::string raw = testutil::rawNamePart();
    QTest::newRow("raw/only this system's names")
        << Names{"caf" + raw + " x" + raw + ".jpg"} << 0 << Names{"caf" + raw + "x" + raw + ".jpg"};
    QTest::newRow("bytes/leading dash")
        << Names{"-a b.jpg", "--x y"} << 0 << Names{"-ab.jpg", "--xy"};
    if (testutil::namesAreBytes())
        QTest::newRow("bytes/newline") << Names{"a b\n.jpg"} << 0 << Names{"ab\n.jpg"};
    QTest::newRow("length/255-byte name")
        << Names{std::string(120, 'a') + ' ' + std::string(134, 'b')} << 1
        << Names{std::string(120, 'a') + '_' + std::string(134, 'b')};
}

void TestBatch::run_renamesAndListsInOrder()
{
    QFETCH(Names, files);
    QFETCH(int, flag);
    QFETCH(Names, expected);
    Batch batch(files);
    QVERIFY(batch.dir.isValid());
    batch.flag.value = flag;

    batch.run();

    QCOMPARE(batch.results.items, expected);
    Names sortedExpected = expected;
    std::sort(sortedExpected.begin(), sortedExpected.end());
    QCOMPARE(folderNames(batch.folder), sortedExpected);
    for (std::size_t i = 0; i < files.size(); ++i)
        QCOMPARE(batch.content(expected[i]), files[i]);
}

void TestBatch::run_emptyList_clearsResultsOnly()
{
    Batch batch({});
    QVERIFY(batch.dir.isValid());
    writeFile(batch.folder + "/not listed.jpg", "x");

    batch.run();

    QCOMPARE(batch.results.items, Names{});
    QCOMPARE(folderNames(batch.folder), Names{"not listed.jpg"});
}

void TestBatch::run_folderWithTrailingSeparator_renames()
{
    // The root of a drive ends in a separator, so the joined paths hold two.
    Batch batch({"a b.jpg"});
    QVERIFY(batch.dir.isValid());
    batch.source.path = batch.folder + testutil::separator();

    batch.run();

    QCOMPARE(batch.results.items, Names{"ab.jpg"});
    QCOMPARE(batch.content("ab.jpg"), std::string("a b.jpg"));
}

void TestBatch::run_symlink_renamesLinkNotTarget()
{
    Batch batch({"tar get.jpg"});
    QVERIFY(batch.dir.isValid());
    std::error_code error;
    std::filesystem::create_symlink("tar get.jpg", NativePath(join(batch.folder, "li nk.jpg")),
                                    error);
    if (error)
        QSKIP("this system makes no symbolic links here");
    batch.names.names = {"li nk.jpg"};

    batch.run();

    QCOMPARE(folderNames(batch.folder), (Names{"link.jpg", "tar get.jpg"}));
    const auto link = NativePath(join(batch.folder, "link.jpg"));
    QVERIFY(std::filesystem::is_symlink(link));
    QCOMPARE(PathBytes(std::filesystem::read_symlink(link)), std::string("tar get.jpg"));
}

void TestBatch::run_stopsAtFirstFailure_data()
{
    QTest::addColumn<Names>("files");
    QTest::addColumn<Names>("listed");
    QTest::addColumn<Names>("removedBeforeRun");
    QTest::addColumn<Names>("folderAfter");
    QTest::addColumn<QString>("message");

    QTest::newRow("collision/new name exists")
        << Names{"c.jpg", "a b.jpg", "ab.jpg", "x y.jpg"} << Names{"c.jpg"} << Names{}
        << Names{"a b.jpg", "ab.jpg", "c.jpg", "x y.jpg"}
        << QStringLiteral(
               "Could not rename \"a b.jpg\" to \"ab.jpg\": a file named \"ab.jpg\" "
               "already exists.\n\nRenaming stopped at this file. The file before it was "
               "renamed and is listed. This file and the 2 files after it were left as they were.");
    QTest::newRow("collision/two spaced names meet")
        << Names{"a b.jpg", "a  b.jpg", "x y.jpg"} << Names{"ab.jpg"} << Names{}
        << Names{"a  b.jpg", "ab.jpg", "x y.jpg"}
        << QStringLiteral("This file and the file after it were left as they were.");
    // A name without spaces is still asked for: the list must not claim a
    // file that is gone.
    QTest::newRow("stale/vanished name without spaces")
        << Names{"c.jpg", "d.jpg"} << Names{"c.jpg"} << Names{"d.jpg"} << Names{"c.jpg"}
        << QStringLiteral("\"d.jpg\" to \"d.jpg\": the file no longer exists.");
    QTest::newRow("stale/listed file vanished")
        << Names{"c.jpg", "d.jpg", "a b.jpg"} << Names{"c.jpg", "d.jpg"} << Names{"a b.jpg"}
        << Names{"c.jpg", "d.jpg"}
        << QStringLiteral(
               "\"a b.jpg\" to \"ab.jpg\": the file no longer exists.\n\nRenaming stopped "
               "at this file. The 2 files before it were renamed and are listed. This file was "
               "left as it was.");
    if (testutil::namesAreBytes()) {
        QTest::newRow("empty new name/only spaces")
            << Names{"   "} << Names{} << Names{} << Names{"   "}
            << QStringLiteral("the new name would be empty, as the name is made only of spaces."
                              "\n\nRenaming stopped at this file. No file was renamed. This file "
                              "was left as it was.");
    }
}

void TestBatch::run_stopsAtFirstFailure()
{
    QFETCH(Names, files);
    QFETCH(Names, listed);
    QFETCH(Names, removedBeforeRun);
    QFETCH(Names, folderAfter);
    QFETCH(QString, message);
    Batch batch(files);
    QVERIFY(batch.dir.isValid());
    for (const auto &name : removedBeforeRun)
        QVERIFY(std::filesystem::remove(NativePath(join(batch.folder, name))));

    int renamedCount = -1;
    QString reported;
    try {
        batch.run();
    } catch (const BatchStopped &stop) {
        renamedCount = stop.renamedCount();
        reported = quillet::UserMessage(stop);
    }

    QCOMPARE(renamedCount, static_cast<int>(listed.size()));
    QVERIFY2(reported.contains(message), qPrintable(reported));
    QCOMPARE(batch.results.items, listed);
    QCOMPARE(folderNames(batch.folder), folderAfter);
    // Each file holds its original name: every one is still there, none overwritten.
    Names contents;
    for (const auto &name : folderAfter)
        contents.push_back(batch.content(name));
    Names expectedContents;
    for (const auto &name : files)
        if (std::find(removedBeforeRun.begin(), removedBeforeRun.end(), name) ==
            removedBeforeRun.end())
            expectedContents.push_back(name);
    std::sort(contents.begin(), contents.end());
    std::sort(expectedContents.begin(), expectedContents.end());
    QCOMPARE(contents, expectedContents);
}

QTEST_GUILESS_MAIN(TestBatch)
#include "tst_batch.moc"
