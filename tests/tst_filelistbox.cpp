#include "filelistbox.h"
#include "foldermodel.h"
#include "messages.h"

#include "testutil.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

using namespace quillet;
using quillet::NativePath;
using testutil::listed;
using testutil::writeFile;
using Names = std::vector<std::string>;

Q_DECLARE_METATYPE(Names)

namespace {

// A fresh temporary folder holding empty files with the given names.
struct Folder
{
    explicit Folder(const Names &files = {})
    {
        for (const std::string &name : files)
            add(name);
    }
    void add(const std::string &name) const { writeFile(file(name), {}); }
    std::string file(const std::string &name) const { return testutil::join(path, name); }

    testutil::TempFolder dir;
    std::string path = dir.path();
};

// A file list showing a folder model of its own.
struct Shown
{
    Shown() { box.ShowFiles(folders); }

    FolderModel folders{Services().readFolder};
    FileListBox box;
};

// Shows the files of \a folder that match \a pattern; whether it has read
// them within a while.
bool open(FileListBox &box, const Folder &folder, const std::string &pattern)
{
    box.SetPattern(pattern);
    box.SetPath(folder.path);
    return testutil::readDone(box);
}

} // namespace

class TestFileListBox : public QObject
{
    Q_OBJECT

private slots:
    void setPath_listsMatchingFilesInOrder_data();
    void setPath_listsMatchingFilesInOrder();
    void setPath_listsFilesAndLinksToFilesOnly();
    void folderChanges_shownOnceTypingPauses();
    void setPath_unreadableFolder_toldAndListsNothing_data();
    void setPath_unreadableFolder_toldAndListsNothing();
};

void TestFileListBox::setPath_listsMatchingFilesInOrder_data()
{
    QTest::addColumn<Names>("files");
    QTest::addColumn<std::string>("pattern");
    QTest::addColumn<Names>("expected");

    const Names mixed{"b.jpg", "a.png", "c.JPG", "d.gif"};
    QTest::newRow("pattern/one") << mixed << std::string("*.jpg") << Names{"b.jpg", "c.JPG"};
    QTest::newRow("pattern/list") << mixed << std::string("*.gif;*.png") << Names{"a.png", "d.gif"};
    QTest::newRow("pattern/empty") << mixed << std::string() << Names{};
    QTest::newRow("hidden/dot names left out")
        << Names{".hidden.jpg", "shown.jpg"} << std::string("*.jpg") << Names{"shown.jpg"};
    QTest::newRow("order/natural, case-insensitive")
        << Names{"IMG 10.jpg", "img 1.jpg", "IMG 2.jpg", "Img 02.jpg"} << std::string("*.jpg")
        << Names{"img 1.jpg", "IMG 2.jpg", "Img 02.jpg", "IMG 10.jpg"};
    const std::string raw = "caf" + testutil::rawNamePart() + " x.jpg";
    QTest::newRow("raw/handed on unchanged") << Names{raw} << std::string("*.jpg") << Names{raw};
}

void TestFileListBox::setPath_listsMatchingFilesInOrder()
{
    QFETCH(Names, files);
    QFETCH(std::string, pattern);
    QFETCH(Names, expected);
    const Folder folder(files);
    QVERIFY(folder.dir.isValid());
    Shown shown;
    FileListBox &box = shown.box;

    QVERIFY(open(box, folder, pattern));

    QCOMPARE(listed(box), expected);
    QCOMPARE(box.model()->rowCount(), box.ListCount());
}

void TestFileListBox::setPath_listsFilesAndLinksToFilesOnly()
{
    const Folder folder({"file.jpg"});
    QVERIFY(folder.dir.isValid());
    std::filesystem::create_directory(NativePath(folder.file("folder.jpg")));
    std::error_code error;
    std::filesystem::create_symlink("file.jpg", NativePath(folder.file("link to file.jpg")), error);
    if (error || !testutil::makePipe(folder.file("pipe.jpg")))
        QSKIP("this system makes no symbolic links or named pipes here");
    std::filesystem::create_directory_symlink("folder.jpg",
                                              NativePath(folder.file("link to folder.jpg")));
    std::filesystem::create_symlink("missing", NativePath(folder.file("dangling.jpg")));
    Shown shown;

    QVERIFY(open(shown.box, folder, "*.jpg"));

    QCOMPARE(listed(shown.box), (Names{"file.jpg", "link to file.jpg"}));
}

// The pattern is assigned as the window description does it, through the
// property: what was read is narrowed at once, and what the folder holds now
// follows once typing pauses.
void TestFileListBox::folderChanges_shownOnceTypingPauses()
{
    const Folder folder({"a 1.jpg", "a 2.jpg", "b.png"});
    QVERIFY(folder.dir.isValid());
    Shown shown;
    FileListBox &box = shown.box;
    QVERIFY(open(box, folder, "*"));

    folder.add("a 3.jpg");
    std::filesystem::rename(NativePath(folder.file("a 1.jpg")), NativePath(folder.file("a1.jpg")));
    QVERIFY(box.setProperty("pattern", QStringLiteral("*.JPG")));

    QCOMPARE(box.Pattern(), std::string("*.JPG"));
    QCOMPARE(listed(box), (Names{"a 1.jpg", "a 2.jpg"}));
    QVERIFY(!box.IsReading());
    QTRY_COMPARE(listed(box), (Names{"a 2.jpg", "a 3.jpg", "a1.jpg"}));
}

void TestFileListBox::setPath_unreadableFolder_toldAndListsNothing_data()
{
    QTest::addColumn<std::string>("name");
    QTest::addColumn<std::string>("reason");

    QTest::newRow("missing") << std::string("gone") << std::string("it no longer exists");
    QTest::newRow("a file") << std::string("a.jpg") << std::string("it is not a folder");
    QTest::newRow("no permission")
        << std::string("locked") << std::string("you do not have permission to read it");
}

// The files of the folder before are neither listed nor held: they would be
// renamed under the new folder's name.
void TestFileListBox::setPath_unreadableFolder_toldAndListsNothing()
{
    QFETCH(std::string, name);
    QFETCH(std::string, reason);
    const Folder folder({"a.jpg"});
    QVERIFY(folder.dir.isValid());
    const std::string bad = folder.file(name);
    if (name == "locked" && !testutil::makeUnreadableFolder(bad))
        QSKIP("no folder here is unreadable to this test");
    Shown shown;
    FileListBox &box = shown.box;
    QVERIFY(open(box, folder, "*.jpg"));
    QStringList told;
    connect(&shown.folders, &FolderModel::ReadFailed, &box,
            [&told](const FolderError &failure) { told << UserMessage(failure); });

    box.SetPath(bad);
    // At once, while it reads: nothing is listed, and a note says so.
    QCOMPARE(listed(box), Names{});
    const QImage reading = box.grab().toImage();
    QVERIFY(testutil::readDone(box));
    QVERIFY(box.grab().toImage() != reading);

    QCOMPARE(told, QStringList(QString::fromStdString("Could not read the folder \"" + bad +
                                                            "\": " + reason + ".")));
    QCOMPARE(box.Path(), bad);
    QCOMPARE(listed(box), Names{});
    QCOMPARE(box.Folder().Path(), std::string());
}

QTEST_MAIN(TestFileListBox)
#include "tst_filelistbox.moc"
