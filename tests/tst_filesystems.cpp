#include "batch.h"
#include "messages.h"
#include "namefile.h"
#include "renameerror.h"

#include "testutil.h"
#include "testvolume.h"

#include <QTest>

#include <filesystem>
#include <map>
#include <memory>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace std::string_literals;
using quillet::Refusal;
using quillet::SystemFailure;
using quillet::RenamingResult;
using testutil::FileSystem;
using testutil::join;
using testutil::Names;

namespace {

// What takes a renamed file's new name before the undo.
enum class Replacement { None, OtherSize, SameSizeAndTime };

bool isFor(const quillet::RenameError &error, Refusal refusal)
{
    return error.refusal() != nullptr && *error.refusal() == refusal;
}

bool isFor(const quillet::RenameError &error, SystemFailure failure)
{
    return error.systemError() != nullptr && error.systemError()->failure == failure;
}

// Whether \a result stopped at the file named \a name, for Quillet's own
// refusal or the system's failure \a why; with an empty \a name, whether it
// renamed every file.
bool stoppedAt(const RenamingResult &result, const std::string &name, auto why)
{
    if (!result.failure)
        return name.empty();
    try {
        std::rethrow_exception(result.failure);
    } catch (const quillet::RenameError &error) {
        return error.oldName() == name && isFor(error, why);
    } catch (...) {
        return false;
    }
}

// What the user read after a batch or an undo, told by a failing test.
QByteArray told(const QString &report)
{
    return report.isEmpty() ? "(nothing: every file renamed)"_ba : report.toUtf8();
}

// Puts a newcomer in place of the file at \a path and returns what it holds.
// It is made while that file still exists, so that it cannot be given its
// inode number.
std::string replace(const std::string &path, Replacement replacement)
{
    const std::string newcomer = path + ".new";
    const std::string content = testutil::readFile(path);
    const bool alike = replacement == Replacement::SameSizeAndTime;
    const std::string newContent = alike ? std::string(content.size(), 'n') : content + " and more";
    testutil::writeFile(newcomer, newContent);
    if (alike)
        std::filesystem::last_write_time(newcomer, std::filesystem::last_write_time(path));
    std::filesystem::remove(path);
    std::filesystem::rename(newcomer, path);
    return newContent;
}

// The name of the undo rows' photo \a number, with \a space before it.
std::string photoName(int number, const char *space)
{
    return "photo"s + space + (number < 10 ? "0" : "") + std::to_string(number) + ".jpg";
}

} // namespace

Q_DECLARE_METATYPE(Replacement)

// The rename service, the batch and its undo on real files of each file
// system users rename on, each made fresh and mounted once for the run: they
// differ in whether they offer RENAME_NOREPLACE and hard links, and in
// whether a file keeps its inode number and birth time when renamed.
class TestFileSystems : public QObject
{
    Q_OBJECT

private slots:
    // keepsInodeNumbers: a file made while another exists never gets its
    // number. FUSE file systems that number files by name cannot tell.
    void initTestCase_data()
    {
        QTest::addColumn<FileSystem>("fileSystem");
        QTest::addColumn<bool>("keepsInodeNumbers");
        for (const auto &[fileSystem, keeps] :
             {std::pair{FileSystem::Tmpfs, true}, {FileSystem::Overlay, true},
              {FileSystem::Btrfs, true}, {FileSystem::Xfs, true}, {FileSystem::Fat, false},
              {FileSystem::ExFat, false}, {FileSystem::Ntfs, true}, {FileSystem::Sshfs, false}})
            QTest::newRow(testutil::fileSystemName(fileSystem)) << fileSystem << keeps;
    }

    // A file system that cannot be mounted fails every row, with the words of
    // the tool that failed.
    void init()
    {
        if (::geteuid() != 0)
            QSKIP("mounting needs the superuser");
        QFETCH_GLOBAL(FileSystem, fileSystem);
        auto &volume = m_volumes[fileSystem];
        if (!volume)
            volume = std::make_unique<testutil::TestVolume>(fileSystem);
        QVERIFY2(volume->mount, volume->failure.c_str());
        m_volume = volume.get();
    }

    void cleanup()
    {
        if (!m_folder.empty())
            testutil::removeTree(m_folder);
        m_folder.clear();
    }

    void cleanupTestCase() { m_volumes.clear(); }

    void batch_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<Names>("listed");
        QTest::addColumn<Names>("results");
        QTest::addColumn<std::string>("stop"); // the file whose new name is taken
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("renamed in list order")
            << "a b.jpg=1; c d.jpg=2; e.jpg=3"_ba << Names{"a b.jpg", "c d.jpg", "e.jpg"}
            << Names{"ab.jpg", "cd.jpg", "e.jpg"} << std::string()
            << "ab.jpg=1; cd.jpg=2; e.jpg=3"_ba;
        QTest::newRow("stops where the new name is taken")
            << "a b.jpg=ours; ab.jpg=theirs; x y.jpg=x; z.jpg=z"_ba
            << Names{"x y.jpg", "a b.jpg", "z.jpg"} << Names{"xy.jpg"} << "a b.jpg"s
            << "a b.jpg=ours; ab.jpg=theirs; xy.jpg=x; z.jpg=z"_ba;
    }

    // "after" holds every name there is: no placeholder, no second name.
    void batch()
    {
        QFETCH(QByteArray, before);
        QFETCH(Names, listed);
        QFETCH(Names, results);
        QFETCH(std::string, stop);
        QFETCH(QByteArray, after);
        seed(before);
        quillet::FileRenamer renamer{quillet::HeldFolder(m_folder)};

        const RenamingResult result = quillet::RunRemoveSpaces({listed}, renamer);

        QVERIFY2(stoppedAt(result, stop, SystemFailure::Exists),
                 told(quillet::BatchReport(result)));
        QCOMPARE(testutil::newNames(result), results);
        QCOMPARE(testutil::snapshot(m_folder), after);
    }

    void undo_data()
    {
        QTest::addColumn<Replacement>("replacement");
        QTest::newRow("every file named back") << Replacement::None;
        QTest::newRow("replaced/by a file of another size") << Replacement::OtherSize;
        QTest::newRow("replaced/by a file of the same size and time")
            << Replacement::SameSizeAndTime;
    }

    // The undo renames through a service of its own, as the window makes one
    // for it. It names back the files renamed after the replaced one; where
    // the file system tells that one from the file renamed, it stops there,
    // and that file and those renamed before it keep their new names.
    void undo()
    {
        QFETCH_GLOBAL(bool, keepsInodeNumbers);
        QFETCH(Replacement, replacement);
        constexpr int kPhotos = 20;
        constexpr int kReplaced = 7;
        Names spaced;
        std::map<std::string, std::string> before;
        for (int i = 0; i < kPhotos; ++i) {
            spaced.push_back(photoName(i, " "));
            before[spaced.back()] = "original " + std::to_string(i);
        }
        seed(testutil::describe(before));
        quillet::FileRenamer batchRenamer{quillet::HeldFolder(m_folder)};
        const RenamingResult batch = quillet::RunRemoveSpaces({spaced}, batchRenamer);
        QVERIFY2(!batch.failure, told(quillet::BatchReport(batch)));
        const std::string replaced = photoName(kReplaced, "");
        std::string newcomer;
        if (replacement != Replacement::None)
            newcomer = replace(join(m_folder, replaced), replacement);

        quillet::FileRenamer undoRenamer{quillet::HeldFolder(m_folder)};
        const RenamingResult undo = quillet::UndoRenames(batch.renamed, undoRenamer);

        const bool refused = replacement == Replacement::OtherSize ||
                             (replacement == Replacement::SameSizeAndTime && keepsInodeNumbers);
        QVERIFY2(stoppedAt(undo, refused ? replaced : "", Refusal::Replaced),
                 told(quillet::UndoReport(undo)));
        std::map<std::string, std::string> after;
        for (int i = 0; i < kPhotos; ++i) {
            const bool newcomerHere = i == kReplaced && !newcomer.empty();
            after[photoName(i, refused && i <= kReplaced ? "" : " ")] =
                newcomerHere ? newcomer : before.at(spaced[i]);
        }
        QCOMPARE(testutil::snapshot(m_folder), testutil::describe(after));
    }

private:
    // Makes a fresh folder holding the files \a files describes (as
    // testutil::populate() takes them), in the volume's lowest layer.
    void seed(const QByteArray &files)
    {
        const std::string name = "row-" + std::to_string(++m_rows);
        m_volume->mount->seed([&](const std::string &folder) {
            std::filesystem::create_directory(join(folder, name));
            testutil::populate(join(folder, name), files);
        });
        m_folder = join(m_volume->mountPoint, name);
    }

    std::map<FileSystem, std::unique_ptr<testutil::TestVolume>> m_volumes;
    testutil::TestVolume *m_volume = nullptr;
    std::string m_folder;
    int m_rows = 0;
};

QTEST_GUILESS_MAIN(TestFileSystems)
#include "tst_filesystems.moc"
