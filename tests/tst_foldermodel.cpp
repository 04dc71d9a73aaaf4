#include "backgroundcall.h"
#include "dirlistbox.h"
#include "filelistbox.h"
#include "foldermodel.h"

#include "testutil.h"

#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

using namespace quillet;
using testutil::join;
using testutil::listed;
using Names = std::vector<std::string>;
using Paths = QList<QByteArray>;

// How many of this process's descriptors are open on the folder \a path.
int holdsOn(const std::string &path)
{
    const std::filesystem::path folder = std::filesystem::canonical(path);
    int holds = 0;
    for (const auto &entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code gone;
        holds += std::filesystem::read_symlink(entry.path(), gone) == folder ? 1 : 0;
    }
    return holds;
}

// One folder model shown by a folder list and a file list, on a folder of
// subfolders "a" to "e", each holding "x y.jpg" and "z.png".
class TestFolderModel : public QObject
{
    Q_OBJECT
    std::optional<testutil::TempFolder> m_dir;
    std::optional<testutil::Hang> m_hang;
    std::unique_ptr<FolderModel> m_folders;
    std::unique_ptr<DirListBox> m_dir1;
    std::unique_ptr<FileListBox> m_file1;

    std::string folder(const QByteArray &name) const
    {
        return join(m_dir->path(), name.toStdString());
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.emplace().isValid());
        for (const char *name : {"a", "b", "c", "d", "e"}) {
            std::filesystem::create_directory(NativePath(folder(name)));
            testutil::populate(folder(name), "x y.jpg=; z.png=");
        }
        m_hang.emplace();
        m_folders = std::make_unique<FolderModel>(m_hang->services().readFolder);
        m_dir1 = std::make_unique<DirListBox>();
        m_file1 = std::make_unique<FileListBox>();
        m_dir1->ShowFolders(*m_folders);
        m_file1->ShowFiles(*m_folders);
        m_file1->SetPattern("*.jpg");
    }
    void cleanup()
    {
        m_file1.reset();
        m_dir1.reset();
        m_folders.reset();
        m_hang.reset();
        m_dir.reset();
    }

    // Dropping a call that has returned waits until the worker has let go of
    // what the call held. (A call still running is left to itself, or closing
    // on a hung drive would hang.)
    void drop_afterReturn_waitsForWhatTheCallHeld()
    {
        auto gone = std::make_shared<std::atomic<bool>>(false);
        // Slow to let go of, as a folder held on a slow share may be.
        std::shared_ptr<void> held(nullptr, [gone](void *) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            *gone = true;
        });
        bool told = false;
        auto call = CallInBackground<int>([held = std::move(held)] { return 1; },
                                          [&told](int) { told = true; });
        QTRY_VERIFY(told);

        call.reset();
        QVERIFY(*gone);
    }

    // As the window opens a folder: the folder list, then the file list.
    void open_oneReadingServesBothLists()
    {
        m_dir1->SetPath(m_dir->path());
        m_file1->SetPath(m_dir->path());
        QVERIFY(testutil::readDone(*m_file1));

        QCOMPARE(m_hang->made(), 1);
        QCOMPARE(m_dir1->ListCount() - m_dir1->ListIndex() - 1, 5);
        m_file1->SetPath(folder("a"));
        QVERIFY(testutil::readDone(*m_file1));
        QCOMPARE(listed(*m_file1), Names{"x y.jpg"});
        QCOMPARE(m_dir1->Path(), folder("a"));
        // The first reading's hold on its folder goes once it is replaced.
        if (testutil::foldersAreHeld())
            QTRY_COMPARE(holdsOn(m_dir->path()), 0);
    }

    // What was read is narrowed at once; the folder is read again once, when
    // typing pauses, or at once when files have been renamed since.
    void pattern_filtersWhatWasRead_data()
    {
        QTest::addColumn<bool>("stale");
        QTest::newRow("typing") << false;
        QTest::newRow("after renaming") << true;
    }
    void pattern_filtersWhatWasRead()
    {
        QFETCH(bool, stale);
        m_file1->SetPath(folder("a"));
        QVERIFY(testutil::readDone(*m_file1));
        if (stale)
            m_folders->MarkStale();

        for (const char *pattern : {"*", "*.", "*.p", "*.png"})
            m_file1->SetPattern(pattern);

        QCOMPARE(m_file1->IsReading(), stale);
        QCOMPARE(listed(*m_file1), stale ? Names{} : Names{"z.png"});
        QTRY_COMPARE(m_hang->made(), 2);
        QVERIFY(testutil::readDone(*m_file1));
        QCOMPARE(listed(*m_file1), Names{"z.png"});
        QTest::qWait(400); // a second reading after the pause would start now
        QCOMPARE(m_hang->made(), 2);
    }

    // A reading matches the files in the background with the pattern of its
    // start: one typed meanwhile is applied to what it brings, whether it
    // opens the folder or reads it again after typing, and so is the same
    // pattern typed again once its matches have been shown.
    void pattern_typedWhileReading_data()
    {
        QTest::addColumn<bool>("opening");
        QTest::newRow("while opening") << true;
        QTest::newRow("while reading again") << false;
    }
    void pattern_typedWhileReading()
    {
        QFETCH(bool, opening);
        if (!opening) {
            m_file1->SetPath(folder("a"));
            QVERIFY(testutil::readDone(*m_file1));
            testutil::populate(folder("a"), "w.png=");
            m_file1->SetPattern("*.p");
        }
        m_hang->holdFolder(folder("a"));
        if (opening)
            m_file1->SetPath(folder("a"));
        QTRY_COMPARE(m_hang->waiting(), 1);
        m_file1->SetPattern("*.png");
        m_hang->release();
        QTRY_COMPARE(listed(*m_file1), (opening ? Names{"z.png"} : Names{"w.png", "z.png"}));

        m_file1->SetPath(folder("b"));
        QVERIFY(testutil::readDone(*m_file1));
        m_file1->SetPattern("*.png");
        QCOMPARE(listed(*m_file1), Names{"z.png"});
    }

    // A folder whose reading is under way is joined, even after another was
    // opened meanwhile; past the bound no reading starts, and the lists say
    // the drive is not answering until a held reading returns.
    void hungReadings_joinedAndBounded_data()
    {
        QTest::addColumn<Paths>("opened");
        QTest::addColumn<int>("readings");
        QTest::addColumn<bool>("notAnswering");
        QTest::newRow("same folder twice") << Paths{"a", "a"} << 1 << false;
        QTest::newRow("back to a hung one") << Paths{"a", "b", "a"} << 2 << false;
        QTest::newRow("up to the bound") << Paths{"a", "b", "c", "d"} << 4 << false;
        QTest::newRow("past the bound") << Paths{"a", "b", "c", "d", "e"} << 4 << true;
        QTest::newRow("joined at the bound") << Paths{"a", "b", "c", "d", "a"} << 4 << false;
    }
    void hungReadings_joinedAndBounded()
    {
        QFETCH(Paths, opened);
        QFETCH(int, readings);
        QFETCH(bool, notAnswering);
        for (const QByteArray &name : opened)
            m_hang->holdFolder(folder(name));

        for (const QByteArray &name : opened) {
            m_dir1->SetPath(folder(name));
            m_file1->SetPath(folder(name));
        }
        QTRY_COMPARE(m_hang->waiting(), readings);
        QTest::qWait(50); // any further reading would be held now
        QCOMPARE(m_hang->waiting(), readings);
        QCOMPARE(m_folders->DriveNotAnswering(), notAnswering);
        QVERIFY(m_file1->IsReading());

        m_hang->release();
        QVERIFY(testutil::readDone(*m_file1));
        QCOMPARE(m_hang->made(), readings + (notAnswering ? 1 : 0));
        QCOMPARE(m_file1->Path(), folder(opened.back()));
        QCOMPARE(listed(*m_file1), Names{"x y.jpg"});
    }

    // A folder that can no longer be read is told of once for each time it is
    // opened, not again each time typing reads it again.
    void failure_toldOncePerOpening()
    {
        QSignalSpy failures(m_folders.get(), &FolderModel::ReadFailed);
        m_file1->SetPath(folder("a"));
        QVERIFY(testutil::readDone(*m_file1));
        testutil::removeTree(folder("a"));

        for (const char *pattern : {"*", "*.png"}) {
            m_file1->SetPattern(pattern);
            QTest::qWait(400); // the reading after the pause has failed now
        }
        QCOMPARE(failures.count(), 1);
        QCOMPARE(listed(*m_file1), Names{});

        m_file1->SetPath(folder("a"));
        QTRY_COMPARE(failures.count(), 2);
    }
};

QTEST_MAIN(TestFolderModel)
#include "tst_foldermodel.moc"
