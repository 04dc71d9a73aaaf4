#include "batch.h"
#include "namefile.h"

#include "testutil.h"
#include "testvolume.h"

#include <QTest>

#include <cstdlib>
#include <map>
#include <memory>

using namespace Qt::StringLiterals;
using testutil::FileSystem;
using testutil::Names;

// The rename service and the batch on real FAT and exFAT, mounted through
// FUSE: neither offers RENAME_NOREPLACE nor hard links, so the service claims
// each new name with an empty file of its own and renames over it; and both
// take names that differ only in letter case as one name.
class TestFatFs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data()
    {
        QTest::addColumn<FileSystem>("kind");
        QTest::newRow("FAT") << FileSystem::Fat;
        QTest::newRow("exFAT") << FileSystem::ExFat;
    }

    // Each row works in a fresh folder on the volume.
    void init()
    {
        QFETCH_GLOBAL(FileSystem, kind);
        if (const std::string reason = testutil::mountUnavailable(kind); !reason.empty())
            QSKIP(reason.c_str());
        auto &volume = m_volumes[kind];
        if (!volume)
            volume = std::make_unique<testutil::TestVolume>(kind);
        QVERIFY2(volume->mount, volume->failure.c_str());
        std::string pattern = testutil::join(volume->mountPoint, "row-XXXXXX");
        QVERIFY2(::mkdtemp(pattern.data()), "cannot make a folder on the volume");
        m_folder = pattern;
    }

    void cleanup()
    {
        if (!m_folder.empty())
            testutil::removeTree(m_folder);
        m_folder.clear();
    }

    void cleanupTestCase() { m_volumes.clear(); }

    void nameFile_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("oldName");
        QTest::addColumn<QByteArray>("newName");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QByteArray>("message"); // empty when the rename succeeds

        QTest::newRow("renamed") << "a b.jpg=ours"_ba << "a b.jpg"_ba << "ab.jpg"_ba
                                 << "ab.jpg=ours"_ba << QByteArray();
        QTest::newRow("refused/new name taken")
            << "a b.jpg=ours; ab.jpg=theirs"_ba << "a b.jpg"_ba << "ab.jpg"_ba
            << "a b.jpg=ours; ab.jpg=theirs"_ba
            << R"(Could not rename "a b.jpg" to "ab.jpg": a file named "ab.jpg" already exists.)"_ba;
        QTest::newRow("refused/new name taken in another case")
            << "A B.JPG=ours; ab.jpg=theirs"_ba << "A B.JPG"_ba << "AB.JPG"_ba
            << "A B.JPG=ours; ab.jpg=theirs"_ba
            << R"(Could not rename "A B.JPG" to "AB.JPG": a file named "AB.JPG" already exists.)"_ba;
        QTest::newRow("refused/file gone")
            << QByteArray() << "a b.jpg"_ba << "ab.jpg"_ba << QByteArray()
            << R"(Could not rename "a b.jpg" to "ab.jpg": the file no longer exists.)"_ba;
    }

    // "after" holds every name there is: no placeholder is left behind.
    void nameFile()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, oldName);
        QFETCH(QByteArray, newName);
        QFETCH(QByteArray, after);
        QFETCH(QByteArray, message);
        testutil::populate(m_folder, before);

        QCOMPARE(testutil::nameFileMessage(m_folder, oldName, newName), message);
        QCOMPARE(testutil::snapshot(m_folder), after);
    }

    // A folder cannot be renamed over the empty file that claims its new
    // name: the claim must go again.
    void nameFile_renameOverPlaceholderFails_removesPlaceholder()
    {
        std::error_code error;
        QVERIFY(std::filesystem::create_directory(testutil::join(m_folder, "a b"), error));

        const QByteArray message = testutil::nameFileMessage(m_folder, "a b", "ab");

        QVERIFY2(message.startsWith(R"(Could not rename "a b" to "ab": )"), message.constData());
        QCOMPARE(testutil::folderNames(m_folder), Names{"a b"});
    }

    void run_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<Names>("listed");
        QTest::addColumn<Names>("results");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QByteArray>("reason"); // empty when every file is renamed

        QTest::newRow("renamed in list order")
            << "z z.jpg=1; a a.jpg=2; m.jpg=3"_ba << Names{"z z.jpg", "a a.jpg", "m.jpg"}
            << Names{"zz.jpg", "aa.jpg", "m.jpg"} << "aa.jpg=2; m.jpg=3; zz.jpg=1"_ba
            << QByteArray();
        QTest::newRow("collision/two spaced names meet")
            << "a b.jpg=1; a  b.jpg=2"_ba << Names{"a b.jpg", "a  b.jpg"} << Names{"ab.jpg"}
            << "a  b.jpg=2; ab.jpg=1"_ba
            << R"(Could not rename "a  b.jpg" to "ab.jpg": a file named "ab.jpg" already exists.)"_ba;
        QTest::newRow("collision/names that differ in case meet")
            << "A B.jpg=1; a  b.JPG=2"_ba << Names{"A B.jpg", "a  b.JPG"} << Names{"AB.jpg"}
            << "AB.jpg=1; a  b.JPG=2"_ba
            << R"(Could not rename "a  b.JPG" to "ab.JPG": a file named "ab.JPG" already exists.)"_ba;
        QTest::newRow("collision/new name taken in another case")
            << "A B.JPG=ours; ab.jpg=theirs"_ba << Names{"A B.JPG"} << Names{}
            << "A B.JPG=ours; ab.jpg=theirs"_ba
            << R"(Could not rename "A B.JPG" to "AB.JPG": a file named "AB.JPG" already exists.)"_ba;
    }

    void run()
    {
        QFETCH(QByteArray, before);
        QFETCH(Names, listed);
        QFETCH(Names, results);
        QFETCH(QByteArray, after);
        QFETCH(QByteArray, reason);
        testutil::populate(m_folder, before);
        quillet::FileRenamer renamer{quillet::HeldFolder(m_folder)};

        const quillet::RenamingResult result = quillet::RunRemoveSpaces({listed}, renamer);

        const QByteArray stopped = quillet::BatchReport(result).toUtf8();
        QCOMPARE(stopped.left(stopped.indexOf('\n')), reason);
        QCOMPARE(testutil::newNames(result), results);
        QCOMPARE(testutil::snapshot(m_folder), after);
    }

private:
    std::map<FileSystem, std::unique_ptr<testutil::TestVolume>> m_volumes;
    std::string m_folder;
};

QTEST_GUILESS_MAIN(TestFatFs)
#include "tst_fatfs.moc"
