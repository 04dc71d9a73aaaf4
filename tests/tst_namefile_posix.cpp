#include "messages.h"
#include "namefile.h"
#include "posixcalls.h"
#include "renameerror.h"
#include "unfinishedrename.h"

#include "testutil.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <semaphore>
#include <thread>

using namespace Qt::StringLiterals;
using quillet::RenameError;
using quillet::SystemFailure;
using testutil::readFile;
using testutil::writeFile;
namespace fs = std::filesystem;

namespace {

// Errors that named calls of FakeCalls answer once each instead of calling the
// system.
using Failures = QMultiMap<QByteArray, int>;

// The system's calls, except that a test can have one fail, can have a file
// of another process appear at a path just before a call runs, can hold a
// call until it is let go, and can have the file system renumber a renamed
// file or make its numbers up.
struct FakeCalls final : quillet::PosixCalls
{
    Failures failures;
    QByteArray intrudeBefore;
    std::string intruderPath;
    QByteArray holdIn;
    std::binary_semaphore held{0};
    std::binary_semaphore letGo{0};
    bool renumbers = false;
    bool ownNumbers = true;
    QByteArrayList made;

    int renameNoReplace(int folder, const std::string &from, const std::string &to) override
    {
        return call("renameNoReplace",
                    [&] { return PosixCalls::renameNoReplace(folder, from, to); });
    }
    int link(int folder, const std::string &from, const std::string &to) override
    {
        return call("link", [&] { return PosixCalls::link(folder, from, to); });
    }
    int unlink(int folder, const std::string &name) override
    {
        return call("unlink", [&] { return PosixCalls::unlink(folder, name); });
    }
    int createExclusive(int folder, const std::string &name) override
    {
        return call("createExclusive", [&] { return PosixCalls::createExclusive(folder, name); });
    }
    int rename(int folder, const std::string &from, const std::string &to) override
    {
        return call("rename", [&] { return PosixCalls::rename(folder, from, to); });
    }
    int lstat(int folder, const std::string &name, quillet::FileIdentity &identity) override
    {
        const int error = call("lstat", [&] { return PosixCalls::lstat(folder, name, identity); });
        if (renumbers && error == 0 && name == "ab.jpg")
            ++identity.number->file;
        return error;
    }
    bool hasOwnFileNumbers(int) override
    {
        made += "ownNumbers";
        return ownNumbers;
    }

private:
    int call(const QByteArray &name, const auto &system)
    {
        made += name;
        if (name == holdIn) {
            held.release();
            letGo.acquire();
        }
        if (name == intrudeBefore)
            writeFile(intruderPath, "theirs");
        return failures.contains(name) ? failures.take(name) : system();
    }
};

// Splits at each "; " only, as names may begin or end with spaces.
QByteArrayList entriesOf(const QByteArray &listing)
{
    QByteArrayList entries;
    for (qsizetype start = 0; start < listing.size();) {
        const qsizetype found = listing.indexOf("; ", start);
        const qsizetype end = found < 0 ? listing.size() : found;
        entries += listing.mid(start, end - start);
        start = end + 2;
    }
    return entries;
}

// A fresh folder whose entries are written and read in one notation:
// "name=content" is a file, "name->target" a symbolic link and "name=>other"
// a hard link to "other", joined by "; " in byte order.
class Folder final
{
public:
    bool isValid() const { return m_dir.isValid(); }
    const std::string &root() const { return m_root; }
    std::string path(const QByteArray &name) const { return m_root + '/' + name.toStdString(); }

    void populate(const QByteArray &entries) const
    {
        for (const QByteArray &item : entriesOf(entries)) {
            if (const auto arrow = item.indexOf("->"); arrow >= 0)
                fs::create_symlink(item.mid(arrow + 2).toStdString(), path(item.left(arrow)));
            else if (const auto link = item.indexOf("=>"); link >= 0)
                fs::create_hard_link(path(item.mid(link + 2)), path(item.left(link)));
            else if (const auto equals = item.indexOf('='); equals >= 0)
                writeFile(path(item.left(equals)), item.mid(equals + 1).toStdString());
        }
    }

    /// Renames through \a calls as the window does: by bare names relative to
    /// the folder held open, remembering what the file system lacks in
    /// \a facts.
    quillet::FileIdentity rename(FakeCalls &calls, quillet::FileSystemFacts &facts,
                                 const std::string &oldName, const std::string &newName) const
    {
        return quillet::NameFileWith(calls, m_held.Descriptor(), facts, oldName, newName,
                                     std::nullopt);
    }

    /// As above, for one rename alone.
    quillet::FileIdentity rename(FakeCalls &calls, const std::string &oldName,
                                 const std::string &newName) const
    {
        quillet::FileSystemFacts facts;
        return rename(calls, facts, oldName, newName);
    }

    QByteArray snapshot() const
    {
        QByteArrayList entries;
        for (const fs::directory_entry &entry : fs::directory_iterator(m_root)) {
            const QByteArray name = QByteArray::fromStdString(entry.path().filename().native());
            entries += entry.is_symlink()
                           ? name + "->" + fs::read_symlink(entry.path()).native().c_str()
                           : name + '=' + QByteArray::fromStdString(readFile(entry.path()));
        }
        std::sort(entries.begin(), entries.end());
        return entries.join("; ");
    }

private:
    testutil::TempFolder m_dir;
    std::string m_root = m_dir.path();
    quillet::HeldFolder m_held{m_root};
};

// The message of the RenameError that rename() raises; empty when it raises none.
QByteArray errorOf(const auto &rename)
{
    try {
        rename();
    } catch (const RenameError &error) {
        return quillet::UserMessage(error).toUtf8();
    }
    return {};
}

// The three ways to a new name: the kernel's RENAME_NOREPLACE; a hard link
// where the file system lacks that flag; a placeholder where it lacks hard
// links too. Each names the call that claims the new name.
struct Way
{
    const char *name;
    Failures failures;
    QByteArray claimingCall;
};

const QList<Way> &ways()
{
    static const QList<Way> all{
        {"noreplace", {}, "renameNoReplace"},
        {"link", {{"renameNoReplace", EINVAL}}, "link"},
        {"placeholder", {{"renameNoReplace", EINVAL}, {"link", EPERM}}, "createExclusive"},
    };
    return all;
}

const QByteArray kExists =
    R"(Could not rename "a b.jpg" to "ab.jpg": a file named "ab.jpg" already exists.)";
const QByteArray kDenied = R"(Could not rename "a b.jpg" to "ab.jpg": permission was denied.)";

} // namespace

class TestNameFilePosix : public QObject
{
    Q_OBJECT

private slots:
    void rename_movesEntryItself_data()
    {
        QTest::addColumn<Failures>("failures");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        for (const Way &way : ways()) {
            QTest::addRow("%s/file", way.name) << way.failures << "a b.jpg=ours"_ba
                                               << "ab.jpg=ours"_ba;
            QTest::addRow("%s/symlink", way.name)
                << way.failures << "a b.jpg->t.jpg; t.jpg=target"_ba
                << "ab.jpg->t.jpg; t.jpg=target"_ba;
            QTest::addRow("%s/danglingSymlink", way.name)
                << way.failures << "a b.jpg->nowhere.jpg"_ba
                << "ab.jpg->nowhere.jpg"_ba;
        }
    }

    void rename_movesEntryItself()
    {
        QFETCH(Failures, failures);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        Folder dir;
        QVERIFY(dir.isValid());
        dir.populate(before);
        FakeCalls calls;
        calls.failures = failures;
        QCOMPARE(errorOf([&] { dir.rename(calls, "a b.jpg", "ab.jpg"); }),
                 QByteArray());
        QCOMPARE(dir.snapshot(), after);
    }

    void rename_neverReplaces_data()
    {
        QTest::addColumn<Failures>("failures");
        QTest::addColumn<QByteArray>("intrudeBefore");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QByteArray>("message");
        const QByteArray missing =
            R"(Could not rename "a b.jpg" to "ab.jpg": the file no longer exists.)";
        for (const Way &way : ways()) {
            const QByteArray both = "a b.jpg=ours; ab.jpg=theirs"_ba;
            QTest::addRow("%s/existingFile", way.name)
                << way.failures << QByteArray() << both << both << kExists;
            QTest::addRow("%s/fileCreatedJustBefore", way.name)
                << way.failures << way.claimingCall << "a b.jpg=ours"_ba << both << kExists;
            QTest::addRow("%s/hardLinkOfSource", way.name)
                << way.failures << QByteArray() << "a b.jpg=ours; ab.jpg=>a b.jpg"_ba
                << "a b.jpg=ours; ab.jpg=ours"_ba << kExists;
            QTest::addRow("%s/danglingSymlink", way.name)
                << way.failures << QByteArray() << "a b.jpg=ours; ab.jpg->nowhere.jpg"_ba
                << "a b.jpg=ours; ab.jpg->nowhere.jpg"_ba << kExists;
            QTest::addRow("%s/missingSource", way.name)
                << way.failures << QByteArray() << QByteArray() << QByteArray() << missing;
        }
        // The system refuses to take back the first of two steps too.
        QTest::newRow("link/bothNamesKept")
            << Failures{{"renameNoReplace", EINVAL}, {"unlink", EACCES}, {"unlink", EACCES}}
            << QByteArray() << "a b.jpg=ours"_ba << "a b.jpg=ours; ab.jpg=ours"_ba
            << kDenied + R"( The file now has both names, "a b.jpg" and "ab.jpg"; deleting )"
                         R"(either name leaves it under the other.)";
        QTest::newRow("placeholder/emptyFileKept")
            << Failures{{"renameNoReplace", EINVAL}, {"link", EPERM}, {"rename", EACCES},
                        {"unlink", EACCES}}
            << QByteArray() << "a b.jpg=ours"_ba << "a b.jpg=ours; ab.jpg="_ba
            << kDenied + R"( An empty file named "ab.jpg", made to claim the new name, could )"
                         R"(not be removed again; it can be deleted.)";
    }

    void rename_neverReplaces()
    {
        QFETCH(Failures, failures);
        QFETCH(QByteArray, intrudeBefore);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(QByteArray, message);
        Folder dir;
        QVERIFY(dir.isValid());
        dir.populate(before);
        FakeCalls calls;
        calls.failures = failures;
        calls.intrudeBefore = intrudeBefore;
        calls.intruderPath = dir.path("ab.jpg");
        QCOMPARE(errorOf([&] { dir.rename(calls, "a b.jpg", "ab.jpg"); }),
                 message);
        QCOMPARE(dir.snapshot(), after);
    }

    // Each row renames "a b.jpg", then "c d.jpg" through the same renamer: what
    // the file system answered it does not offer is not asked again for the
    // next file.
    void fallbacks_data()
    {
        QTest::addColumn<Failures>("failures");
        QTest::addColumn<QByteArray>("made");
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QByteArray>("madeForNext");
        // Each file is looked at before and after, for its identity; whether
        // the file system numbers files itself is asked once.
        const QByteArray byLink = "lstat renameNoReplace link unlink lstat ownNumbers";
        const QByteArray byPlaceholder =
            "lstat renameNoReplace link createExclusive rename lstat ownNumbers";
        const QByteArray nextByLink = "lstat link unlink lstat";
        const QByteArray nextByPlaceholder = "lstat createExclusive rename lstat";
        QTest::newRow("noReplaceENOSYS/link")
            << Failures{{"renameNoReplace", ENOSYS}} << byLink << QByteArray() << nextByLink;
        QTest::newRow("noReplaceEOPNOTSUPP/link")
            << Failures{{"renameNoReplace", EOPNOTSUPP}} << byLink << QByteArray() << nextByLink;
        QTest::newRow("linkEMLINK/placeholder")
            << Failures{{"renameNoReplace", EINVAL}, {"link", EMLINK}} << byPlaceholder
            << QByteArray() << nextByPlaceholder;
        QTest::newRow("linkEOPNOTSUPP/placeholder")
            << Failures{{"renameNoReplace", EINVAL}, {"link", EOPNOTSUPP}} << byPlaceholder
            << QByteArray() << nextByPlaceholder;
        QTest::newRow("refused/noReplace")
            << Failures{{"renameNoReplace", EACCES}} << "lstat renameNoReplace"_ba << kDenied
            << "lstat renameNoReplace lstat ownNumbers"_ba;
        QTest::newRow("refused/link") << Failures{{"renameNoReplace", EINVAL}, {"link", EACCES}}
                                      << "lstat renameNoReplace link"_ba << kDenied
                                      << nextByLink + " ownNumbers";
        QTest::newRow("undone/linkWhenUnlinkRefused")
            << Failures{{"renameNoReplace", EINVAL}, {"unlink", EACCES}}
            << "lstat renameNoReplace link unlink unlink"_ba << kDenied
            << nextByLink + " ownNumbers";
        QTest::newRow("undone/placeholderWhenRenameRefused")
            << Failures{{"renameNoReplace", EINVAL}, {"link", EPERM}, {"rename", EACCES}}
            << "lstat renameNoReplace link createExclusive rename unlink lstat"_ba << kDenied
            << nextByPlaceholder + " ownNumbers";
    }

    void fallbacks()
    {
        QFETCH(Failures, failures);
        QFETCH(QByteArray, made);
        QFETCH(QByteArray, message);
        QFETCH(QByteArray, madeForNext);
        Folder dir;
        QVERIFY(dir.isValid());
        dir.populate("a b.jpg=ours; c d.jpg=ours");
        FakeCalls calls;
        calls.failures = failures;
        quillet::FileSystemFacts facts;
        QCOMPARE(
            errorOf([&] { dir.rename(calls, facts, "a b.jpg", "ab.jpg"); }),
            message);
        QCOMPARE(calls.made.join(' '), made);
        calls.made.clear();

        dir.rename(calls, facts, "c d.jpg", "cd.jpg");

        QCOMPARE(calls.made.join(' '), madeForNext);
        QCOMPARE(dir.snapshot(),
                 (message.isEmpty() ? "ab.jpg=ours" : "a b.jpg=ours") + "; cd.jpg=ours"_ba);
    }

    void requestWithoutRename_leavesFolderAsItWas_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("oldName");
        QTest::addColumn<QByteArray>("newName");
        QTest::addColumn<QByteArray>("made");
        QTest::addColumn<QByteArray>("message");
        const auto row = [](const char *name, const QByteArray &before, const QByteArray &oldName,
                            const QByteArray &newName, const QByteArray &made,
                            const QByteArray &reason) {
            const QByteArray message =
                reason.isEmpty() ? QByteArray()
                                 : "Could not rename \"" + oldName + "\" to \"" + newName +
                                       "\": " + reason + '.';
            QTest::newRow(name) << before << oldName << newName << made << message;
        };
        const QByteArray missing = "the file no longer exists";
        const QByteArray empty = "the new name would be empty, as the name is made only of spaces";
        const QByteArray invalid = "the new name is not valid here";
        row("sameName/file", "a.jpg=ours", "a.jpg", "a.jpg", "lstat", {});
        row("sameName/danglingSymlink", "a.jpg->none", "a.jpg", "a.jpg", "lstat", {});
        row("sameName/missing", {}, "a.jpg", "a.jpg", "lstat", missing);
        row("unusable/empty", "   =ours", "   ", "", {}, empty);
        row("unusable/dot", "   =ours", "   ", ".", {}, invalid);
        row("unusable/dotDot", "   =ours", "   ", "..", {}, invalid);
        row("unusable/separator", "   =ours", "   ", "sub/x", {}, invalid);
    }

    void requestWithoutRename_leavesFolderAsItWas()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, oldName);
        QFETCH(QByteArray, newName);
        QFETCH(QByteArray, made);
        QFETCH(QByteArray, message);
        Folder dir;
        QVERIFY(dir.isValid());
        dir.populate(before);
        FakeCalls calls;
        QCOMPARE(
            errorOf([&] { dir.rename(calls, oldName.toStdString(), newName.toStdString()); }),
            message);
        QCOMPARE(calls.made.join(' '), made);
        QCOMPARE(dir.snapshot(), before);
    }

    void awkwardNames_keptByteForByte_data()
    {
        QTest::addColumn<QByteArray>("oldName");
        QTest::addColumn<QByteArray>("newName");
        QTest::addColumn<QByteArray>("reason"); // empty when the rename succeeds
        const auto row = [](const char *name, const QByteArray &oldName, const QByteArray &newName,
                            const QByteArray &reason) {
            QTest::newRow(name) << oldName << newName << reason;
        };
        row("bytes/notUtf8", "caf\xe9 x.jpg", "caf\xe9x.jpg", {});
        row("bytes/newline", "a\nb c", "a\nbc", {});
        row("bytes/leadingDash", "-n x", "-nx", {});
        row("bytes/backslash", "a\\ b", "a\\b", {});
        row("length/255bytes", "a b", QByteArray(255, 'n'), {});
        row("length/256bytes", "a b", QByteArray(256, 'n'), "the new name is too long");
    }

    void awkwardNames_keptByteForByte()
    {
        QFETCH(QByteArray, oldName);
        QFETCH(QByteArray, newName);
        QFETCH(QByteArray, reason);
        Folder dir;
        QVERIFY(dir.isValid());
        dir.populate(oldName + "=ours");
        const QByteArray error = testutil::nameFileMessage(dir.root(), oldName, newName);
        QCOMPARE(error.mid(error.indexOf(": ") + 2), reason.isEmpty() ? reason : reason + '.');
        QCOMPARE(dir.snapshot(), (reason.isEmpty() ? newName : oldName) + "=ours");
    }

    void systemError_explained_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<SystemFailure>("failure");
        QTest::addColumn<QByteArray>("reason");
        QTest::newRow("EACCES") << EACCES << SystemFailure::PermissionDenied
                                << "permission was denied"_ba;
        // What a sticky folder such as /tmp answers for another user's file.
        QTest::newRow("EPERM") << EPERM << SystemFailure::PermissionDenied
                               << "permission was denied"_ba;
        QTest::newRow("EROFS") << EROFS << SystemFailure::ReadOnly
                               << "the file system is read-only"_ba;
        QTest::newRow("ENAMETOOLONG")
            << ENAMETOOLONG << SystemFailure::NameTooLong << "the new name is too long"_ba;
        QTest::newRow("EILSEQ") << EILSEQ << SystemFailure::InvalidName
                                << "the new name is not valid here"_ba;
        QTest::newRow("EBUSY") << EBUSY << SystemFailure::InUse << "the file is in use"_ba;
        QTest::newRow("ENOSPC") << ENOSPC << SystemFailure::NoSpace
                                << "there is no space left on the drive"_ba;
        // The system's words follow Quillet's own, never alone.
        QTest::newRow("EIO") << EIO << SystemFailure::DeviceError
                             << "the drive did not read or write as asked (" +
                                    QByteArray(std::strerror(EIO)) + ')';
        // A share whose server has gone.
        QTest::newRow("ENOTCONN") << ENOTCONN << SystemFailure::DeviceError
                                  << "the drive did not read or write as asked (" +
                                         QByteArray(std::strerror(ENOTCONN)) + ')';
        QTest::newRow("EXDEV") << EXDEV << SystemFailure::OtherDrive
                               << "the file system cannot rename it where it lies (" +
                                      QByteArray(std::strerror(EXDEV)) + ')';
        QTest::newRow("E2BIG") << E2BIG << SystemFailure::Other
                               << "the system refused it (" + QByteArray(std::strerror(E2BIG)) +
                                      ')';
    }

    void systemError_explained()
    {
        QFETCH(int, error);
        QFETCH(SystemFailure, failure);
        QFETCH(QByteArray, reason);
        Folder dir;
        QVERIFY(dir.isValid());
        dir.populate("a b.jpg=ours");
        FakeCalls calls;
        calls.failures = {{"renameNoReplace", error}};
        try {
            dir.rename(calls, "a b.jpg", "ab.jpg");
            QFAIL("the rename went through");
        } catch (const RenameError &raised) {
            QCOMPARE(raised.systemError()->failure, failure);
            QCOMPARE(quillet::UserMessage(raised).toUtf8(),
                     R"(Could not rename "a b.jpg" to "ab.jpg": )" + reason + '.');
        }
        QCOMPARE(dir.snapshot(), "a b.jpg=ours");
    }

    // An undo checks a file's number only where the rename kept it: not where
    // the file system gave the new name another (a hard link through sshfs),
    // nor where FUSE makes numbers up.
    void identity_keepsNumberOnlyWhereLasting_data()
    {
        QTest::addColumn<bool>("renumbers");
        QTest::addColumn<bool>("ownNumbers");
        QTest::addColumn<bool>("numberKept");
        QTest::newRow("kept") << false << true << true;
        QTest::newRow("renumbered by the rename") << true << true << false;
        QTest::newRow("made up by FUSE") << false << false << false;
    }

    void identity_keepsNumberOnlyWhereLasting()
    {
        QFETCH(bool, renumbers);
        QFETCH(bool, ownNumbers);
        QFETCH(bool, numberKept);
        Folder dir;
        QVERIFY(dir.isValid());
        dir.populate("a b.jpg=ours");
        FakeCalls calls;
        calls.renumbers = renumbers;
        calls.ownNumbers = ownNumbers;

        const quillet::FileIdentity identity = dir.rename(calls, "a b.jpg", "ab.jpg");

        QCOMPARE(identity.number.has_value(), numberKept);
        QCOMPARE(identity.size, 4u);
    }

    // Last, as the process counts as ending afterwards. Closing the window
    // during a rename of two steps waits for its last step, and lets no
    // other begin.
    void twoStepRename_finishedBeforeProcessEnds()
    {
        Folder dir;
        QVERIFY(dir.isValid());
        dir.populate("a b.jpg=ours; c d.jpg=ours");
        FakeCalls calls;
        calls.failures = {{"renameNoReplace", EINVAL}};
        calls.holdIn = "link";
        std::thread renaming([&] { dir.rename(calls, "a b.jpg", "ab.jpg"); });
        calls.held.acquire();
        std::atomic<bool> ended = false;
        std::thread ending([&] {
            quillet::FinishUnfinishedRenames();
            ended = true;
        });
        QTest::qWait(100);
        QVERIFY(!ended);

        calls.letGo.release();
        renaming.join();
        ending.join();
        QCOMPARE(dir.snapshot(), "ab.jpg=ours; c d.jpg=ours");

        // A later one never takes its first step: it waits for the end, which
        // here is the test's own.
        auto later = std::make_shared<FakeCalls>();
        later->failures = {{"renameNoReplace", EINVAL}};
        later->holdIn = "renameNoReplace";
        std::thread([&dir, later] { dir.rename(*later, "c d.jpg", "cd.jpg"); }).detach();
        later->held.acquire();
        later->letGo.release();
        QTest::qWait(100);
        QCOMPARE(later->made.join(' '), "lstat renameNoReplace");
    }
};

QTEST_GUILESS_MAIN(TestNameFilePosix)
#include "tst_namefile_posix.moc"
