#include "messages.h"
#include "namefile.h"

#include "testutil.h"

#include <QTest>

#include <filesystem>

using namespace Qt::StringLiterals;
using quillet::NativePath;
using testutil::join;
using testutil::populate;
using testutil::snapshot;

// The rename service on real files, as every system must behave.
class TestNameFile : public QObject
{
    Q_OBJECT

private slots:
    void nameFile_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("oldName");
        QTest::addColumn<QByteArray>("newName");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QByteArray>("reason"); // empty when the rename succeeds
        const QByteArray ours = "a b.jpg=ours";
        const QByteArray exists = R"(a file named "ab.jpg" already exists)";
        const QByteArray missing = "the file no longer exists";
        const auto row = [](const char *tag, const QByteArray &before, const QByteArray &oldName,
                            const QByteArray &newName, const QByteArray &after,
                            const QByteArray &reason) {
            QTest::newRow(tag) << before << oldName << newName << after << reason;
        };
        row("renamed/plain", ours, "a b.jpg", "ab.jpg", "ab.jpg=ours", {});
        row("renamed/non-ASCII", "\xc3\xa9t\xc3\xa9 \xe2\x82\xac.jpg=ours",
            "\xc3\xa9t\xc3\xa9 \xe2\x82\xac.jpg", "\xc3\xa9t\xc3\xa9\xe2\x82\xac.jpg",
            "\xc3\xa9t\xc3\xa9\xe2\x82\xac.jpg=ours", {});
        row("renamed/leading dash", "-a b=ours", "-a b", "-ab", "-ab=ours", {});
        row("refused/new name taken", ours + "; ab.jpg=theirs", "a b.jpg", "ab.jpg",
            "a b.jpg=ours; ab.jpg=theirs", exists);
        row("refused/file gone", {}, "a b.jpg", "ab.jpg", {}, missing);
        row("same/untouched", "ab.jpg=ours", "ab.jpg", "ab.jpg", "ab.jpg=ours", {});
        row("same/file gone", {}, "ab.jpg", "ab.jpg", {}, missing);
        const QByteArray invalid = "the new name is not valid here";
        row("unusable/empty", "x=ours", "x", "", "x=ours",
            "the new name would be empty, as the name is made only of spaces");
        row("unusable/dot", "x=ours", "x", ".", "x=ours", invalid);
        row("unusable/dot dot", "x=ours", "x", "..", "x=ours", invalid);
        row("unusable/hidden", "x=ours", "x", ".x", "x=ours",
            "the new name would start with a dot, which hides the file");
        row("renamed/already hidden", ".a b=ours", ".a b", ".ab", ".ab=ours", {});
    }

    void nameFile()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, oldName);
        QFETCH(QByteArray, newName);
        QFETCH(QByteArray, after);
        QFETCH(QByteArray, reason);
        const testutil::TempFolder dir;
        QVERIFY(dir.isValid());
        populate(dir.path(), before);

        const QByteArray message = testutil::nameFileMessage(dir.path(), oldName, newName);

        const QByteArray expected =
            reason.isEmpty()
                ? QByteArray()
                : "Could not rename \"" + oldName + "\" to \"" + newName + "\": " + reason + '.';
        QCOMPARE(message, expected);
        QCOMPARE(snapshot(dir.path()), after);
    }

    // A drive's root folder ends in a separator.
    void nameFile_folderEndingInSeparator_renames()
    {
        const testutil::TempFolder dir;
        QVERIFY(dir.isValid());
        populate(dir.path(), "a b.jpg=ours");

        QCOMPARE(testutil::nameFileMessage(dir.path() + testutil::separator(), "a b.jpg", "ab.jpg"),
                 QByteArray());

        QCOMPARE(snapshot(dir.path()), "ab.jpg=ours"_ba);
    }

    // The rename service takes bare names: one that names a path would
    // reach into another folder.
    void nameFile_nameWithSeparator_refused()
    {
        const testutil::TempFolder dir;
        QVERIFY(dir.isValid());
        const std::string sub = join(dir.path(), "sub");
        QVERIFY(std::filesystem::create_directory(NativePath(sub)));
        populate(dir.path(), "a b.jpg=ours");
        const QByteArray intoSub = "sub" + QByteArray(1, testutil::separator()) + "ab.jpg";

        QCOMPARE(testutil::nameFileMessage(dir.path(), "a b.jpg", intoSub),
                 "Could not rename \"a b.jpg\" to \"" + intoSub +
                     "\": the new name is not valid here.");

        QCOMPARE(testutil::folderNames(dir.path()), (std::vector<std::string>{"a b.jpg", "sub"}));
        QCOMPARE(testutil::folderNames(sub), std::vector<std::string>{});
    }
};

QTEST_GUILESS_MAIN(TestNameFile)
#include "tst_namefile.moc"
