#include "checkbox.h"
#include "commandbutton.h"
#include "dirlistbox.h"
#include "drivelistbox.h"
#include "eventhandler.h"
#include "filelistbox.h"
#include "folderpath.h"
#include "folderreader.h"
#include "form1.h"
#include "listbox.h"
#include "textbox.h"

#include "testutil.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>

#include <chrono>
#include <filesystem>
#include <thread>

using namespace quillet;
using quillet::NativePath;
using testutil::folderNames;
using testutil::join;
using testutil::listed;
using testutil::readFile;
using testutil::writeFile;
using Names = std::vector<std::string>;

namespace {

/// Builds the window as Quillet starts, on the working folder.
struct StartedInWorkingFolder
{
    explicit StartedInWorkingFolder() = default;
};

// Renames the real files, and first lets the test act, with the number of
// the rename (from 0), while the batch holds.
class WatchedRenamer final : public RenameService
{
public:
    WatchedRenamer(const HeldFolder &folder, const std::function<void(int)> &before)
        : m_files(folder), m_before(before)
    {
    }
    void NameFile(const std::string &oldPath, const std::string &newPath) override
    {
        if (m_before)
            m_before(m_count);
        ++m_count;
        m_files.NameFile(oldPath, newPath);
    }

private:
    FileRenamer m_files;
    const std::function<void(int)> &m_before;
    int m_count = 0;
};

// The window on a fresh temporary folder, with every error it reports
// recorded instead of shown, and the offer made with the last one.
struct Window
{
    testutil::TempFolder dir;
    std::string folder = dir.path();
    QStringList errors;
    std::optional<ErrorAction> offered;
    std::function<void(int)> beforeRename;
    ErrorReporter previousReporter = SetErrorReporter(
        [this](QWidget *, const QString &message, const std::optional<ErrorAction> &action) {
            errors << message;
            offered = action;
        });
    Form1 form{[this](const HeldFolder &held) {
        return std::make_unique<WatchedRenamer>(held, beforeRename);
    }};
    DriveListBox *Drive1 = form.findChild<DriveListBox *>(QStringLiteral("Drive1"));
    DirListBox *Dir1 = form.findChild<DirListBox *>(QStringLiteral("Dir1"));
    FileListBox *File1 = form.findChild<FileListBox *>(QStringLiteral("File1"));
    TextBox *txtPattern = form.findChild<TextBox *>(QStringLiteral("txtPattern"));
    CheckBox *Check1 = form.findChild<CheckBox *>(QStringLiteral("Check1"));
    CommandButton *Command1 = form.findChild<CommandButton *>(QStringLiteral("Command1"));
    ListBox *List1 = form.findChild<ListBox *>(QStringLiteral("List1"));

    /// Makes \a files (each holding its own name), opens the folder and
    /// shows the window.
    explicit Window(const Names &files)
    {
        for (const auto &name : files)
            writeFile(join(folder, name), name);
        txtPattern->setText(QStringLiteral("*.jpg"));
        Dir1->SetPath(folder);
        form.show();
    }
    explicit Window(StartedInWorkingFolder)
    {
        txtPattern->setText(QStringLiteral("*.jpg"));
        form.show();
    }
    ~Window() { SetErrorReporter(previousReporter); }

    std::string content(const std::string &name) const { return readFile(join(folder, name)); }
};

// Puts the working folder back where it was when the object goes.
struct WorkingFolderKept
{
    std::filesystem::path saved = std::filesystem::current_path();
    ~WorkingFolderKept() { std::filesystem::current_path(saved); }
};

/// \a count names with spaces, "f 01.jpg" on, in the order they are listed.
Names spacedNames(int count)
{
    Names names;
    for (int number = 1; number <= count; ++number)
        names.push_back(
            QStringLiteral("f %1.jpg").arg(number, 2, 10, QLatin1Char('0')).toStdString());
    return names;
}

/// Called while a batch holds: once the progress window is up, stops the
/// batch through it (by Escape or its button) and returns true; until then
/// slows the renames so that it comes up.
bool stopThroughProgress(bool byEscape)
{
    auto *progress = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
    if (progress == nullptr) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return false;
    }
    if (byEscape)
        QTest::keyClick(progress, Qt::Key_Escape);
    else
        QTest::mouseClick(progress->findChild<QPushButton *>(), Qt::LeftButton);
    return true;
}

/// Stops a batch in \a window \a how ("escape", "button" or "close" the
/// window) and returns the number of files renamed by then.
int stopBatch(Window &window, const QString &how)
{
    int stoppedAt = -1;
    window.beforeRename = [&](int index) {
        if (stoppedAt >= 0)
            return;
        if (how == QLatin1String("close") ? index == 2 && window.form.close()
                                          : stopThroughProgress(how == QLatin1String("escape")))
            stoppedAt = index;
    };
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    window.beforeRename = nullptr;
    return stoppedAt + 1;
}

/// Undoes the last batch \a how: by "ctrl+z", the result list's "context
/// menu" or the error box's "undo button".
void undo(Window &window, const QString &how)
{
    if (how == QLatin1String("ctrl+z"))
        QTest::keyClick(&window.form, Qt::Key_Z, Qt::ControlModifier);
    else if (how == QLatin1String("ctrl+z in the pattern box"))
        QTest::keyClick(window.txtPattern, Qt::Key_Z, Qt::ControlModifier);
    else if (how == QLatin1String("context menu"))
        window.List1->actions().first()->trigger();
    else if (window.offered)
        window.offered->run();
}

} // namespace

class TestWiring : public QObject
{
    Q_OBJECT

private slots:
    void click_renamesListedFiles_data();
    void click_renamesListedFiles();
    void click_withCollision_stopsReportsAndKeepsFiles();
    void clickTwice_stopsAtStaleName();
    void click_afterFolderVanished_reportsIt();
    void click_rawName_keepsItsBytes();
    void click_renamesInFolderListed_data();
    void click_renamesInFolderListed();
    void typing_setsPatternKeyByKey();
    void clearingPattern_listsNothing();
    void dirList_highlightDoesNotMoveFilesButOpenDoes();
    void dirList_openedFolderUnreadable_listsNoOtherFolderFiles();
    void pickingDrive_movesFoldersAndFilesOnly();
    void batch_takesNoInput_data();
    void batch_takesNoInput();
    void stop_leavesExactlyThoseRenamed_data();
    void stop_leavesExactlyThoseRenamed();
    void undo_restoresExactNames_data();
    void undo_restoresExactNames();
    void undo_refusesToOverwriteNewcomer();
    void undo_goneAfterFolderOrPatternChange_data();
    void undo_goneAfterFolderOrPatternChange();
};

void TestWiring::click_renamesListedFiles_data()
{
    QTest::addColumn<bool>("byKeyboard");
    QTest::addColumn<bool>("underscore");
    QTest::addColumn<Names>("expected");

    QTest::newRow("mouse/remove") << false << false << Names{"ab.jpg", "c.jpg"};
    QTest::newRow("alt+r/remove") << true << false << Names{"ab.jpg", "c.jpg"};
    QTest::newRow("alt+r/alt+u underscore") << true << true << Names{"a_b.jpg", "c.jpg"};
}

void TestWiring::click_renamesListedFiles()
{
    QFETCH(bool, byKeyboard);
    QFETCH(bool, underscore);
    QFETCH(Names, expected);
    Window window({"a b.jpg", "c.jpg", "d e.png"});
    QVERIFY(window.dir.isValid());
    QVERIFY(QTest::qWaitForWindowActive(&window.form));

    if (underscore) {
        QTest::keyClick(&window.form, Qt::Key_U, Qt::AltModifier);
        QTRY_COMPARE(window.Check1->Value(), 1);
    }
    if (byKeyboard)
        QTest::keyClick(&window.form, Qt::Key_R, Qt::AltModifier);
    else
        QTest::mouseClick(window.Command1, Qt::LeftButton);

    QTRY_COMPARE(listed(*window.List1), expected);
    QCOMPARE(window.errors, QStringList());
    QCOMPARE(window.content(expected[0]), std::string("a b.jpg"));
    QCOMPARE(window.content("d e.png"), std::string("d e.png"));
    // The file list keeps the names it read until it is told to read again.
    QCOMPARE(listed(*window.File1), (Names{"a b.jpg", "c.jpg"}));
    window.txtPattern->setText(QStringLiteral("*.JPG"));
    QCOMPARE(listed(*window.File1), expected);
}

void TestWiring::click_withCollision_stopsReportsAndKeepsFiles()
{
    Window window({"a b.jpg", "ab.jpg", "x y.jpg"});
    QVERIFY(window.dir.isValid());

    QTest::mouseClick(window.Command1, Qt::LeftButton);

    QCOMPARE(window.errors.size(), 1);
    const QString error = window.errors.first();
    QVERIFY2(error.contains(QStringLiteral("\"a b.jpg\"")) &&
                 error.contains(QStringLiteral("\"ab.jpg\"")) &&
                 error.contains(QStringLiteral("already exists")),
             qPrintable(error));
    QCOMPARE(listed(*window.List1), Names{});
    QCOMPARE(folderNames(window.folder), (Names{"a b.jpg", "ab.jpg", "x y.jpg"}));
    QCOMPARE(window.content("ab.jpg"), std::string("ab.jpg"));

    // The window goes on working after the failure.
    window.txtPattern->setText(QStringLiteral("x*"));
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QCOMPARE(listed(*window.List1), Names{"xy.jpg"});
    QCOMPARE(window.errors.size(), 1);
}

void TestWiring::clickTwice_stopsAtStaleName()
{
    Window window({"a.jpg", "b c.jpg", "d.jpg"});
    QVERIFY(window.dir.isValid());

    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QCOMPARE(listed(*window.List1), (Names{"a.jpg", "bc.jpg", "d.jpg"}));
    QTest::mouseClick(window.Command1, Qt::LeftButton);

    QCOMPARE(listed(*window.List1), Names{"a.jpg"});
    QCOMPARE(window.errors.size(), 1);
    QVERIFY2(window.errors.first().startsWith(
                 QStringLiteral("Could not rename \"b c.jpg\" to \"bc.jpg\": an earlier renaming "
                                "has renamed it already; opening the folder again or changing "
                                "the pattern lists the new names.")),
             qPrintable(window.errors.first()));
    QCOMPARE(folderNames(window.folder), (Names{"a.jpg", "bc.jpg", "d.jpg"}));
}

void TestWiring::click_afterFolderVanished_reportsIt()
{
    Window window({"a b.jpg"});
    QVERIFY(window.dir.isValid());
    std::filesystem::remove_all(NativePath(window.folder));

    QTest::mouseClick(window.Command1, Qt::LeftButton);

    QCOMPARE(window.errors.size(), 1);
    QVERIFY2(window.errors.first().contains(QStringLiteral("\"a b.jpg\"")),
             qPrintable(window.errors.first()));
    QCOMPARE(listed(*window.List1), Names{});
}

void TestWiring::click_rawName_keepsItsBytes()
{
    const std::string raw = testutil::rawNamePart();
    Window window({"caf" + raw + " \xc3\xa9.jpg"});
    QVERIFY(window.dir.isValid());

    QTest::mouseClick(window.Command1, Qt::LeftButton);

    QCOMPARE(listed(*window.List1), Names{"caf" + raw + "\xc3\xa9.jpg"});
    QCOMPARE(folderNames(window.folder), Names{"caf" + raw + "\xc3\xa9.jpg"});
}

void TestWiring::click_renamesInFolderListed_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("replaced");
    // 25 folders of 200 bytes lie deeper than PATH_MAX (4096 bytes).
    QTest::newRow("shallow/replacedAfterListing") << 1 << true;
    QTest::newRow("beyondPathLimit/inPlace") << 25 << false;
    QTest::newRow("beyondPathLimit/replacedAfterListing") << 25 << true;
}

// Quillet started inside a folder \a depth levels down; that folder is, if
// \a replaced, moved away after it was listed and another made at its path.
void TestWiring::click_renamesInFolderListed()
{
    QFETCH(int, depth);
    QFETCH(bool, replaced);
    if (!testutil::foldersAreHeld())
        QSKIP("this system reaches a listed folder by its path");
    const testutil::TempFolder root;
    QVERIFY(root.isValid());
    const WorkingFolderKept kept;
    std::filesystem::current_path(root.path());
    const std::string name(200, 'd');
    for (int level = 0; level < depth; ++level) {
        std::filesystem::create_directory(name);
        std::filesystem::current_path(name);
    }
    writeFile("a b.jpg", "listed");
    Window window(StartedInWorkingFolder{});
    QCOMPARE(window.Dir1->Path(), CurrentFolder());
    QCOMPARE(window.File1->Path(), CurrentFolder());
    QCOMPARE(listed(*window.File1), Names{"a b.jpg"});

    // The working folder moves along with the listed one.
    const std::string samePath = "../" + name;
    if (replaced) {
        std::filesystem::rename(samePath, "../moved");
        std::filesystem::create_directory(samePath);
        writeFile(join(samePath, "a b.jpg"), "newcomer");
    }
    QTest::mouseClick(window.Command1, Qt::LeftButton);

    QCOMPARE(window.errors, QStringList());
    QCOMPARE(listed(*window.List1), Names{"ab.jpg"});
    QCOMPARE(readFile("ab.jpg"), std::string("listed"));
    if (replaced)
        QCOMPARE(folderNames(samePath), Names{"a b.jpg"});
}

void TestWiring::typing_setsPatternKeyByKey()
{
    Window window(Names{});
    QVERIFY(window.dir.isValid());
    window.txtPattern->clear();

    const std::string typed = "*.TXT";
    for (std::size_t length = 1; length <= typed.size(); ++length) {
        QTest::keyClick(window.txtPattern, typed[length - 1]);
        QCOMPARE(window.File1->Pattern(), typed.substr(0, length));
    }
}

void TestWiring::clearingPattern_listsNothing()
{
    Window window({"a b.jpg"});
    QVERIFY(window.dir.isValid());
    QCOMPARE(window.File1->ListCount(), 1);

    window.txtPattern->selectAll();
    QTest::keyClick(window.txtPattern, Qt::Key_Delete);

    QCOMPARE(window.File1->Pattern(), std::string());
    QCOMPARE(window.File1->ListCount(), 0);
}

void TestWiring::dirList_highlightDoesNotMoveFilesButOpenDoes()
{
    Window window({"a b.jpg"});
    QVERIFY(window.dir.isValid());
    const std::string sub = join(window.folder, "sub");
    std::filesystem::create_directory(NativePath(sub));
    writeFile(join(sub, "s t.jpg"), "");
    window.Dir1->SetPath(window.folder);
    const int subRow = window.Dir1->ListCount() - 1;
    QCOMPARE(window.Dir1->List(subRow), sub);
    const QRect subRect = window.Dir1->visualRect(window.Dir1->model()->index(subRow, 0));

    QTest::mouseClick(window.Dir1->viewport(), Qt::LeftButton, {}, subRect.center());
    QCOMPARE(window.Dir1->ListIndex(), subRow);
    QCOMPARE(window.File1->Path(), window.folder);

    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QCOMPARE(folderNames(window.folder), (Names{"ab.jpg", "sub"}));
    QCOMPARE(folderNames(sub), Names{"s t.jpg"});

    QTest::mouseDClick(window.Dir1->viewport(), Qt::LeftButton, {}, subRect.center());
    QCOMPARE(window.File1->Path(), sub);
    QCOMPARE(listed(*window.File1), Names{"s t.jpg"});
    QCOMPARE(window.errors, QStringList());
}

// The folder list has read the folder it opens, and then the file list cannot
// (a flaky USB stick or network share): the window must not go on listing,
// and renaming, the previous folder's files under the new folder's name.
void TestWiring::dirList_openedFolderUnreadable_listsNoOtherFolderFiles()
{
    Window window({"a b.jpg"});
    QVERIFY(window.dir.isValid());
    const std::string sub = join(window.folder, "sub");
    std::filesystem::create_directory(NativePath(sub));
    // The folder vanishes right after the folder list has read it.
    connect(window.Dir1, &QListWidget::currentRowChanged, window.Dir1, [&](int row) {
        if (row >= 0 && window.Dir1->List(row) == sub)
            std::filesystem::remove(NativePath(sub));
    });

    window.Dir1->SetPath(sub);

    QCOMPARE(window.errors.size(), 1);
    QVERIFY2(window.errors.first().contains(QString::fromStdString(sub)),
             qPrintable(window.errors[0]));
    QCOMPARE(window.Dir1->Path(), sub);
    QCOMPARE(window.File1->Path(), sub);
    QCOMPARE(listed(*window.File1), Names{});
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QCOMPARE(folderNames(window.folder), Names{"a b.jpg"});
}

void TestWiring::pickingDrive_movesFoldersAndFilesOnly()
{
    Window window({"a b.jpg"});
    QVERIFY(window.dir.isValid());
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QCOMPARE(listed(*window.List1), Names{"ab.jpg"});
    const int rootIndex = window.Drive1->findData(QByteArray::fromStdString(FallbackFolder()));
    QVERIFY(rootIndex >= 0);

    window.Drive1->setCurrentIndex(rootIndex);
    emit window.Drive1->activated(rootIndex);

    QCOMPARE(window.Dir1->Path(), window.Drive1->Drive());
    QCOMPARE(window.File1->Path(), window.Drive1->Drive());
    QCOMPARE(listed(*window.List1), Names{"ab.jpg"});
    QCOMPARE(window.errors, QStringList());
}

void TestWiring::batch_takesNoInput_data()
{
    QTest::addColumn<QString>("input");
    for (const char *input : {"click button", "double click button", "alt+r", "alt+u",
                              "click check box", "type pattern", "open parent folder"})
        QTest::newRow(input) << QString::fromLatin1(input);
}

// The input comes while the batch holds at its second file.
void TestWiring::batch_takesNoInput()
{
    QFETCH(QString, input);
    Window window({"a b.jpg", "c d.jpg", "e f.jpg"});
    QVERIFY(window.dir.isValid());
    QVERIFY(QTest::qWaitForWindowActive(&window.form));
    int renames = 0;
    window.beforeRename = [&](int index) {
        ++renames;
        if (index != 1)
            return;
        if (input == QLatin1String("click button"))
            QTest::mouseClick(window.Command1, Qt::LeftButton);
        else if (input == QLatin1String("double click button"))
            QTest::mouseDClick(window.Command1, Qt::LeftButton);
        else if (input == QLatin1String("alt+r"))
            QTest::keyClick(&window.form, Qt::Key_R, Qt::AltModifier);
        else if (input == QLatin1String("alt+u"))
            QTest::keyClick(&window.form, Qt::Key_U, Qt::AltModifier);
        else if (input == QLatin1String("click check box"))
            QTest::mouseClick(window.Check1, Qt::LeftButton);
        else if (input == QLatin1String("type pattern"))
            QTest::keyClicks(window.txtPattern, QStringLiteral("x"));
        else {
            QTest::keyClick(window.Dir1, Qt::Key_Up);
            QTest::keyClick(window.Dir1, Qt::Key_Return);
        }
    };

    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QTest::qWait(150); // an access key clicks its control a moment later

    QCOMPARE(renames, 3);
    QCOMPARE(window.errors, QStringList());
    QCOMPARE(listed(*window.List1), (Names{"ab.jpg", "cd.jpg", "ef.jpg"}));
    QCOMPARE(window.Check1->Value(), 0);
    QCOMPARE(window.txtPattern->Text(), std::string("*.jpg"));
    QCOMPARE(window.Dir1->Path(), window.folder);
    QCOMPARE(window.File1->Path(), window.folder);
}

void TestWiring::stop_leavesExactlyThoseRenamed_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("escape") << QStringLiteral("escape");
    QTest::newRow("stop button") << QStringLiteral("button");
    QTest::newRow("window closed") << QStringLiteral("close");
}

void TestWiring::stop_leavesExactlyThoseRenamed()
{
    QFETCH(QString, how);
    constexpr int kFiles = 40;
    const Names names = spacedNames(kFiles);
    Window window(names);
    QVERIFY(window.dir.isValid());

    const int renamed = stopBatch(window, how);

    QVERIFY(renamed > 0 && renamed < kFiles);
    Names expected = names;
    for (int index = 0; index < renamed; ++index)
        expected[index].erase(1, 1);
    QCOMPARE(listed(*window.List1), Names(expected.begin(), expected.begin() + renamed));
    std::sort(expected.begin(), expected.end());
    QCOMPARE(folderNames(window.folder), expected);
    QCOMPARE(window.errors,
             QStringList(QStringLiteral("Renaming was stopped.\n\n%1 files were renamed and are "
                                        "listed. %2 files were left as they were.")
                             .arg(renamed)
                             .arg(kFiles - renamed)));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(window.form.isVisible(), how != QLatin1String("close"));
}

void TestWiring::undo_restoresExactNames_data()
{
    QTest::addColumn<Names>("files");
    QTest::addColumn<QString>("stop");
    QTest::addColumn<QString>("how");
    const std::string raw = testutil::rawNamePart();
    const Names withRaw{"a b.jpg", "caf" + raw + " \xc3\xa9.jpg", "d.jpg", "e f.jpg"};
    const Names collision{"a b.jpg", "c d.jpg", "cd.jpg"};
    QTest::newRow("success/ctrl+z") << withRaw << QString() << QStringLiteral("ctrl+z");
    QTest::newRow("success/context menu") << withRaw << QString() << QStringLiteral("context menu");
    QTest::newRow("success/ctrl+z in the pattern box")
        << withRaw << QString() << QStringLiteral("ctrl+z in the pattern box");
    QTest::newRow("collision/ctrl+z") << collision << QString() << QStringLiteral("ctrl+z");
    QTest::newRow("collision/undo button")
        << collision << QString() << QStringLiteral("undo button");
    QTest::newRow("stopped/undo button")
        << spacedNames(40) << QStringLiteral("escape") << QStringLiteral("undo button");
}

void TestWiring::undo_restoresExactNames()
{
    QFETCH(Names, files);
    QFETCH(QString, stop);
    QFETCH(QString, how);
    Window window(files);
    QVERIFY(window.dir.isValid());
    QVERIFY(QTest::qWaitForWindowActive(&window.form));
    const QByteArray before = testutil::snapshot(window.folder);
    if (stop.isEmpty())
        QTest::mouseClick(window.Command1, Qt::LeftButton);
    else
        stopBatch(window, stop);
    QVERIFY(testutil::snapshot(window.folder) != before);
    const qsizetype reported = window.errors.size();

    undo(window, how);

    QCOMPARE(window.errors.size(), reported);
    QCOMPARE(testutil::snapshot(window.folder), before);
    QCOMPARE(listed(*window.List1), Names{});
    QCOMPARE(listed(*window.File1), files);
    // Offered once.
    QVERIFY(!window.List1->actions().first()->isEnabled());
}

void TestWiring::undo_refusesToOverwriteNewcomer()
{
    Window window({"a b.jpg", "c d.jpg"});
    QVERIFY(window.dir.isValid());
    QVERIFY(QTest::qWaitForWindowActive(&window.form));
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    writeFile(join(window.folder, "a b.jpg"), "newcomer");

    QTest::keyClick(&window.form, Qt::Key_Z, Qt::ControlModifier);

    QCOMPARE(window.errors,
             QStringList(QStringLiteral(
                 "Could not rename \"ab.jpg\" to \"a b.jpg\": a file named \"a b.jpg\" already "
                 "exists.\n\nUndoing stopped at this file. The file renamed after it got its old "
                 "name back. This file keeps its new name.")));
    QCOMPARE(testutil::snapshot(window.folder),
             QByteArray("a b.jpg=newcomer; ab.jpg=a b.jpg; c d.jpg=c d.jpg"));
    QCOMPARE(listed(*window.List1), Names{});
    QCOMPARE(listed(*window.File1), (Names{"a b.jpg", "ab.jpg", "c d.jpg"}));
}

void TestWiring::undo_goneAfterFolderOrPatternChange_data()
{
    QTest::addColumn<bool>("folderChange");
    QTest::newRow("folder opened again") << true;
    QTest::newRow("pattern changed") << false;
}

void TestWiring::undo_goneAfterFolderOrPatternChange()
{
    QFETCH(bool, folderChange);
    Window window({"a b.jpg"});
    QVERIFY(window.dir.isValid());
    QVERIFY(QTest::qWaitForWindowActive(&window.form));
    QTest::mouseClick(window.Command1, Qt::LeftButton);

    if (folderChange)
        window.Dir1->SetPath(window.folder);
    else
        window.txtPattern->setText(QStringLiteral("*"));
    QTest::keyClick(&window.form, Qt::Key_Z, Qt::ControlModifier);

    QCOMPARE(folderNames(window.folder), Names{"ab.jpg"});
    QVERIFY(!window.List1->actions().first()->isEnabled());
    QCOMPARE(window.errors, QStringList());
}

QTEST_MAIN(TestWiring)
#include "tst_wiring.moc"
