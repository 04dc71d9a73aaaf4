#include "batch.h"
#include "messages.h"
#include "namefile.h"
#include "spacerule.h"

#include "testutil.h"

#include <QTest>

#include <filesystem>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

using namespace quillet;
using namespace Qt::StringLiterals;
using quillet::NativePath;
using quillet::PathBytes;
using testutil::folderNames;
using testutil::join;
using testutil::newNames;
using testutil::readFile;
using testutil::writeFile;
using Names = std::vector<std::string>;

namespace {

// Real files in a fresh temporary folder, each holding its own original
// name, so that a test can tell where every one went.
struct Folder
{
    testutil::TempFolder dir;
    std::string path = dir.path();

    explicit Folder(const Names &files)
    {
        for (const auto &name : files)
            writeFile(join(path, name), name);
    }
    FileRenamer renamer() const { return FileRenamer(HeldFolder(path)); }
    std::string content(const std::string &name) const { return readFile(join(path, name)); }
    /// The contents of every file, sorted: each original name once when no
    /// file was lost or overwritten.
    Names contents() const
    {
        Names all;
        for (const auto &name : folderNames(path))
            all.push_back(content(name));
        std::sort(all.begin(), all.end());
        return all;
    }
};

// Records what the batch tells of its progress, and asks it to stop when it
// starts file \a stopAt.
struct Recorder final : RenamingObserver
{
    std::stop_source stop;
    int stopAt = -1;
    QStringList heard;

    void Starting(int index, const std::string &name) override
    {
        heard << QStringLiteral("start %1 %2").arg(index).arg(QString::fromStdString(name));
        if (index == stopAt)
            stop.request_stop();
    }
    void Done(const Renamed &file) override
    {
        heard << QStringLiteral("done %1").arg(QString::fromStdString(file.newName));
    }
};

QString failureText(const RenamingResult &result)
{
    try {
        std::rethrow_exception(result.failure);
    } catch (const std::exception &error) {
        return UserMessage(error);
    }
}

Names sorted(Names names)
{
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

class TestBatch : public QObject
{
    Q_OBJECT

private slots:
    void run_renamesInListOrder_data();
    void run_renamesInListOrder();
    void run_symlink_renamesLinkNotTarget();
    void run_stopsAtFirstFailure_data();
    void run_stopsAtFirstFailure();
    void run_stopRequested_endsAfterFileInFlight_data();
    void run_stopRequested_endsAfterFileInFlight();
    void undo_namesBackOnlyTheFilesRenamed_data();
    void undo_namesBackOnlyTheFilesRenamed();
    void identity_toldApartByWhatTheRenameKept_data();
    void identity_toldApartByWhatTheRenameKept();
};

void TestBatch::run_renamesInListOrder_data()
{
    QTest::addColumn<Names>("files");
    QTest::addColumn<bool>("underscore");
    QTest::addColumn<Names>("expected");
    QTest::addColumn<int>("changed");

    QTest::newRow("empty list") << Names{} << false << Names{} << 0;
    QTest::newRow("flag/unchecked") << Names{"a b.jpg", "c.jpg"} << false
                                    << Names{"ab.jpg", "c.jpg"} << 1;
    QTest::newRow("flag/checked") << Names{"a b.jpg", "c.jpg"} << true
                                  << Names{"a_b.jpg", "c.jpg"} << 1;
    QTest::newRow("order/list order, not name order")
        << Names{"z z.jpg", "m.jpg", "a a.jpg"} << false << Names{"zz.jpg", "m.jpg", "aa.jpg"} << 2;
    const std::string raw = testutil::rawNamePart();
    QTest::newRow("raw/only this system's names")
        << Names{"caf" + raw + " x" + raw + ".jpg"} << false
        << Names{"caf" + raw + "x" + raw + ".jpg"} << 1;
    QTest::newRow("bytes/leading dash")
        << Names{"-a b.jpg", "--x y"} << false << Names{"-ab.jpg", "--xy"} << 2;
    if (testutil::namesAreBytes())
        QTest::newRow("bytes/newline") << Names{"a b\n.jpg"} << false << Names{"ab\n.jpg"} << 1;
    QTest::newRow("length/255-byte name")
        << Names{std::string(120, 'a') + ' ' + std::string(134, 'b')} << true
        << Names{std::string(120, 'a') + '_' + std::string(134, 'b')} << 1;
}

void TestBatch::run_renamesInListOrder()
{
    QFETCH(Names, files);
    QFETCH(bool, underscore);
    QFETCH(Names, expected);
    QFETCH(int, changed);
    Folder folder(files);
    QVERIFY(folder.dir.isValid());
    writeFile(join(folder.path, "not listed.txt"), "not listed.txt");
    FileRenamer renamer = folder.renamer();

    const RenamingResult result = RunRemoveSpaces({files, underscore}, renamer);

    QVERIFY(!result.failure && !result.stopRequested);
    QCOMPARE(newNames(result), expected);
    QCOMPARE(result.changedCount(), changed);
    // What an undo keeps: the changed files, each with both its names.
    RenamedFiles changedOnly = result.renamed;
    changedOnly.eraseUnchanged();
    QCOMPARE(static_cast<int>(changedOnly.size()), changed);
    for (const Renamed &file : changedOnly)
        QCOMPARE(MakeNewName(file.oldName, underscore), file.newName);
    Names after = expected;
    after.push_back("not listed.txt");
    QCOMPARE(folderNames(folder.path), sorted(after));
    for (std::size_t i = 0; i < files.size(); ++i)
        QCOMPARE(folder.content(expected[i]), files[i]);
}

void TestBatch::run_symlink_renamesLinkNotTarget()
{
    Folder folder({"tar get.jpg"});
    QVERIFY(folder.dir.isValid());
    std::error_code error;
    std::filesystem::create_symlink("tar get.jpg", NativePath(join(folder.path, "li nk.jpg")),
                                    error);
    if (error)
        QSKIP("this system makes no symbolic links here");
    FileRenamer renamer = folder.renamer();

    RunRemoveSpaces({{"li nk.jpg"}}, renamer);

    QCOMPARE(folderNames(folder.path), (Names{"link.jpg", "tar get.jpg"}));
    const auto link = NativePath(join(folder.path, "link.jpg"));
    QVERIFY(std::filesystem::is_symlink(link));
    QCOMPARE(PathBytes(std::filesystem::read_symlink(link)), std::string("tar get.jpg"));
}

void TestBatch::run_stopsAtFirstFailure_data()
{
    QTest::addColumn<Names>("files");
    QTest::addColumn<Names>("removedBeforeRun");
    QTest::addColumn<Names>("renamed");
    QTest::addColumn<Names>("folderAfter");
    QTest::addColumn<QString>("failure");

    QTest::newRow("collision/new name exists")
        << Names{"c.jpg", "a b.jpg", "ab.jpg", "x y.jpg"} << Names{} << Names{"c.jpg"}
        << Names{"a b.jpg", "ab.jpg", "c.jpg", "x y.jpg"}
        << QStringLiteral(
               R"(Could not rename "a b.jpg" to "ab.jpg": a file named "ab.jpg" already exists.)");
    QTest::newRow("collision/two spaced names meet")
        << Names{"a b.jpg", "a  b.jpg", "x y.jpg"} << Names{} << Names{"ab.jpg"}
        << Names{"a  b.jpg", "ab.jpg", "x y.jpg"}
        << QStringLiteral(
               R"(Could not rename "a  b.jpg" to "ab.jpg": a file named "ab.jpg" already exists.)");
    // A name without spaces is still asked for: the list must not claim a
    // file that is gone.
    QTest::newRow("stale/vanished name without spaces")
        << Names{"c.jpg", "d.jpg"} << Names{"d.jpg"} << Names{"c.jpg"} << Names{"c.jpg"}
        << QStringLiteral(R"(Could not rename "d.jpg" to "d.jpg": the file no longer exists.)");
    QTest::newRow("stale/listed file vanished")
        << Names{"c.jpg", "d.jpg", "a b.jpg"} << Names{"a b.jpg"} << Names{"c.jpg", "d.jpg"}
        << Names{"c.jpg", "d.jpg"}
        << QStringLiteral(R"(Could not rename "a b.jpg" to "ab.jpg": the file no longer exists.)");
    if (testutil::namesAreBytes()) {
        QTest::newRow("empty new name/only spaces")
            << Names{"   "} << Names{} << Names{} << Names{"   "}
            << QStringLiteral(R"(Could not rename "   " to "": the new name would be empty, )"
                              "as the name is made only of spaces.");
    }
}

void TestBatch::run_stopsAtFirstFailure()
{
    QFETCH(Names, files);
    QFETCH(Names, removedBeforeRun);
    QFETCH(Names, renamed);
    QFETCH(Names, folderAfter);
    QFETCH(QString, failure);
    Folder folder(files);
    QVERIFY(folder.dir.isValid());
    for (const auto &name : removedBeforeRun)
        QVERIFY(std::filesystem::remove(NativePath(join(folder.path, name))));
    const Names contentsBefore = folder.contents();
    FileRenamer renamer = folder.renamer();

    const RenamingResult result = RunRemoveSpaces({files}, renamer);

    QCOMPARE(failureText(result), failure);
    QVERIFY(!result.stopRequested);
    QCOMPARE(newNames(result), renamed);
    QCOMPARE(result.untouchedCount(), static_cast<int>(files.size() - renamed.size()));
    QCOMPARE(folderNames(folder.path), folderAfter);
    QCOMPARE(folder.contents(), contentsBefore);
}

void TestBatch::run_stopRequested_endsAfterFileInFlight_data()
{
    QTest::addColumn<int>("stopAt");
    QTest::addColumn<Names>("renamed");
    QTest::addColumn<QStringList>("heard");
    QTest::newRow("before the first file")
        << -2 << Names{} << QStringList();
    QTest::newRow("during the first file")
        << 0 << Names{"ab.jpg"} << QStringList{"start 0 a b.jpg", "done ab.jpg"};
    QTest::newRow("during the second file")
        << 1 << Names{"ab.jpg", "c.jpg"}
        << QStringList{"start 0 a b.jpg", "done ab.jpg", "start 1 c.jpg", "done c.jpg"};
}

// A stop asked for while a file is being renamed lets that rename end and
// touches no file after it.
void TestBatch::run_stopRequested_endsAfterFileInFlight()
{
    QFETCH(int, stopAt);
    QFETCH(Names, renamed);
    QFETCH(QStringList, heard);
    const Names files{"a b.jpg", "c.jpg", "d e.jpg"};
    Folder folder(files);
    QVERIFY(folder.dir.isValid());
    FileRenamer renamer = folder.renamer();
    Recorder recorder;
    recorder.stopAt = stopAt;
    if (stopAt < 0)
        recorder.stop.request_stop();

    const RenamingResult result =
        RunRemoveSpaces({files}, renamer, recorder.stop.get_token(), &recorder);

    QVERIFY(result.stopRequested);
    QVERIFY(!result.failure);
    QCOMPARE(newNames(result), renamed);
    QCOMPARE(result.untouchedCount(), static_cast<int>(files.size() - renamed.size()));
    QCOMPARE(recorder.heard, heard);
    QCOMPARE(folder.content("d e.jpg"), std::string("d e.jpg"));
}

void TestBatch::undo_namesBackOnlyTheFilesRenamed_data()
{
    QTest::addColumn<QByteArray>("meanwhile"); // what another program does after the batch
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<int>("namedBack");
    QTest::newRow("untouched since") << QByteArray() << "a b=a b; c d=c d; e=e"_ba << QString() << 2;
    const QString replaced =
        QStringLiteral(R"(Could not rename "cd" to "c d": another file has taken the name )"
                       R"("cd" since it was renamed; that file is left alone.)");
    QTest::newRow("replaced since") << "replace cd"_ba << "ab=a b; cd=newcomer; e=e"_ba
                                    << replaced << 0;
    // The new file may well get the number the removed one had.
    QTest::newRow("removed and made again since")
        << "remove cd, make cd"_ba << "ab=a b; cd=newcomer; e=e"_ba << replaced << 0;
    QTest::newRow("old name taken since")
        << "take a b"_ba << "a b=newcomer; ab=a b; c d=c d; e=e"_ba
        << QStringLiteral(
               R"(Could not rename "ab" to "a b": a file named "a b" already exists.)")
        << 1;
    QTest::newRow("removed since")
        << "remove cd"_ba << "ab=a b; e=e"_ba
        << QStringLiteral(R"(Could not rename "cd" to "c d": the file no longer exists.)") << 0;
}

// Undo renames back last first, and only the very files the batch renamed.
void TestBatch::undo_namesBackOnlyTheFilesRenamed()
{
    QFETCH(QByteArray, meanwhile);
    QFETCH(QByteArray, after);
    QFETCH(QString, failure);
    QFETCH(int, namedBack);
    Folder folder({"a b", "e", "c d"});
    QVERIFY(folder.dir.isValid());
    FileRenamer renamer = folder.renamer();
    RenamingResult batch = RunRemoveSpaces({{"a b", "e", "c d"}}, renamer);
    QCOMPARE(batch.changedCount(), 2);
    batch.renamed.eraseUnchanged();
    if (meanwhile == "replace cd") {
        writeFile(join(folder.path, "new"), "newcomer");
        std::filesystem::rename(NativePath(join(folder.path, "new")),
                                NativePath(join(folder.path, "cd")));
    } else if (meanwhile == "remove cd, make cd") {
        QVERIFY(std::filesystem::remove(NativePath(join(folder.path, "cd"))));
        // Later, as a user would: file systems stamp a file's making coarsely.
        QTest::qSleep(50);
        writeFile(join(folder.path, "cd"), "newcomer");
    } else if (meanwhile == "take a b") {
        writeFile(join(folder.path, "a b"), "newcomer");
    } else if (meanwhile == "remove cd") {
        QVERIFY(std::filesystem::remove(NativePath(join(folder.path, "cd"))));
    }

    const RenamingResult undo = UndoRenames(batch.renamed, renamer);

    QCOMPARE(undo.failure ? failureText(undo) : QString(), failure);
    QCOMPARE(static_cast<int>(undo.renamed.size()), namedBack);
    QCOMPARE(testutil::snapshot(folder.path), after);
}

// \a identity with the fields named in \a fields ("number created type size
// modified") changed.
static FileIdentity changed(FileIdentity identity, const QByteArray &fields)
{
    if (fields.contains("number"))
        identity.number = FileNumber{1, 99};
    if (fields.contains("created"))
        identity.created = 99;
    if (fields.contains("type"))
        identity.type = 99;
    if (fields.contains("size"))
        identity.size = 99;
    if (fields.contains("modified"))
        identity.modified = 99;
    return identity;
}

void TestBatch::identity_toldApartByWhatTheRenameKept_data()
{
    QTest::addColumn<QByteArray>("changedByRename");
    QTest::addColumn<QByteArray>("changedSince");
    QTest::addColumn<bool>("sameFile");
    QTest::newRow("all kept/untouched") << QByteArray() << QByteArray() << true;
    QTest::newRow("all kept/another number") << QByteArray() << "number"_ba << false;
    QTest::newRow("all kept/made anew") << QByteArray() << "created"_ba << false;
    QTest::newRow("all kept/written to") << QByteArray() << "size modified"_ba << false;
    // overlayfs: a file copied up into the upper layer is made anew.
    QTest::newRow("copied up/untouched") << "created"_ba << "created"_ba << true;
    QTest::newRow("copied up/another number") << "created"_ba << "number"_ba << false;
    // sshfs: a hard link under the new name is numbered anew.
    QTest::newRow("renumbered/untouched") << "number"_ba << "number"_ba << true;
    QTest::newRow("renumbered/same size, other time") << "number"_ba << "modified"_ba << false;
    QTest::newRow("renumbered/same time, other size") << "number"_ba << "size"_ba << false;
    QTest::newRow("renumbered/a folder now") << "number"_ba << "type"_ba << false;
    // FAT through FUSE: a renamed file is stamped anew, and numbered by FUSE.
    QTest::newRow("restamped/untouched") << "number modified"_ba << QByteArray() << true;
    QTest::newRow("restamped/written to") << "number modified"_ba << "size"_ba << false;
    // Not to be looked up after the rename: known by what it was.
    QTest::newRow("gone/untouched") << "gone"_ba << QByteArray() << true;
    QTest::newRow("gone/another number") << "gone"_ba << "number"_ba << true;
    QTest::newRow("gone/written to") << "gone"_ba << "size"_ba << false;
}

// An undo refuses a file that is not the one the batch renamed, judged by
// what the file system kept of it across the batch's rename.
void TestBatch::identity_toldApartByWhatTheRenameKept()
{
    QFETCH(QByteArray, changedByRename);
    QFETCH(QByteArray, changedSince);
    QFETCH(bool, sameFile);
    const FileIdentity before{FileNumber{1, 7}, 1000, 1, 4, 2000};

    const std::optional<FileIdentity> after =
        changedByRename == "gone" ? std::nullopt : std::optional(changed(before, changedByRename));

    const FileIdentity recorded = KeptAcrossRename(before, after);

    QCOMPARE(IsSameFile(recorded, changed(after.value_or(before), changedSince)), sameFile);
}

QTEST_GUILESS_MAIN(TestBatch)
#include "tst_batch.moc"
