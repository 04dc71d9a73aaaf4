#include "folderreader_posix.h"
#include "messages.h"

#include "testutil.h"

#include <QTest>

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;
using testutil::join;

namespace {

// The system's calls, except that readdir fails with \a error once
// \a entriesBeforeFailure entries have been read.
struct FailingReaddir final : quillet::FolderCalls
{
    int entriesBeforeFailure = 0;
    int error = 0;

    dirent *readdir(DIR *dir) override
    {
        if (entriesBeforeFailure-- == 0) {
            errno = error;
            return nullptr;
        }
        return FolderCalls::readdir(dir);
    }
};

} // namespace

class TestFolderReaderPosix : public QObject
{
    Q_OBJECT

private slots:
    void readdirFails_noPartialList_data()
    {
        QTest::addColumn<int>("entriesBeforeFailure");
        QTest::addColumn<int>("error");
        QTest::addColumn<QByteArray>("reason");
        // "." and ".." are among the entries, in no fixed place.
        const QByteArray ioError =
            "the drive did not read or write as asked (" + QByteArray(std::strerror(EIO)) + ')';
        QTest::newRow("atFirst/EIO") << 0 << EIO << ioError;
        QTest::newRow("midway/EIO") << 4 << EIO << ioError;
        QTest::newRow("midway/folderRemoved") << 4 << ENOENT << "it no longer exists"_ba;
    }

    void readdirFails_noPartialList()
    {
        QFETCH(int, entriesBeforeFailure);
        QFETCH(int, error);
        QFETCH(QByteArray, reason);
        const testutil::TempFolder dir;
        QVERIFY(dir.isValid());
        for (const char *name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg"})
            testutil::writeFile(join(dir.path(), name), {});
        FailingReaddir calls;
        calls.entriesBeforeFailure = entriesBeforeFailure;
        calls.error = error;

        try {
            const auto entries = quillet::ReadFolderWith(calls, quillet::HeldFolder(dir.path()));
            QFAIL(qPrintable(u"listed %1 files"_s.arg(entries.files.size())));
        } catch (const quillet::FolderError &failure) {
            QCOMPARE(quillet::UserMessage(failure).toUtf8(),
                     "Could not read the folder \"" + QByteArray::fromStdString(dir.path()) +
                         "\": " + reason + '.');
        }
    }
};

QTEST_GUILESS_MAIN(TestFolderReaderPosix)
#include "tst_folderreader_posix.moc"
