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

#include "progresswindow.h"
#include "translations.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyleHints>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>

using namespace quillet;
using namespace Qt::StringLiterals;
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

// Where a test holds the renames of a window: the rename it has marked waits
// until the test lets it go, as on a file system that has stopped answering.
// Renames are counted from 0 over every batch and undo of the window.
class Gate
{
public:
    void holdAt(int number)
    {
        const std::lock_guard lock(m_mutex);
        m_holdAt = number;
        m_released = false;
    }
    void release()
    {
        const std::lock_guard lock(m_mutex);
        m_released = true;
        m_changed.notify_all();
    }
    /// Called by the renamer before each rename.
    void enter()
    {
        std::unique_lock lock(m_mutex);
        const int number = m_entered++;
        m_changed.wait(lock, [&] { return number != m_holdAt || m_released; });
    }
    /// Called by the renamer after each rename.
    void leave()
    {
        const std::lock_guard lock(m_mutex);
        ++m_left;
    }
    /// The renames asked for so far, and those that have returned.
    int entered() const
    {
        const std::lock_guard lock(m_mutex);
        return m_entered;
    }
    int left() const
    {
        const std::lock_guard lock(m_mutex);
        return m_left;
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_holdAt = -1;
    bool m_released = false;
    int m_entered = 0;
    int m_left = 0;
};

// Renames the real files, through the gate.
class GatedRenamer final : public RenameService
{
public:
    GatedRenamer(HeldFolder folder, std::shared_ptr<Gate> gate)
        : m_files(std::move(folder)), m_gate(std::move(gate))
    {
    }
    FileIdentity NameFile(const std::string &oldName, const std::string &newName,
                          const std::optional<FileIdentity> &expected) override
    {
        m_gate->enter();
        const auto left = qScopeGuard([&] { m_gate->leave(); });
        return m_files.NameFile(oldName, newName, expected);
    }

private:
    FileRenamer m_files;
    std::shared_ptr<Gate> m_gate;
};

// The window on a fresh temporary folder, with every error it reports
// recorded instead of shown, and the offer made with the last one.
struct Window
{
    testutil::TempFolder dir;
    std::string folder = dir.path();
    QStringList errors;
    std::optional<ErrorAction> offered;
    /// How long each report stays open, running the window's events as a
    /// message box does, and whether its offer is taken as it closes.
    std::chrono::milliseconds reportOpenFor{0};
    bool offerTaken = false;
    /// Progress told, while a report was open, by the jobs there were when it
    /// opened.
    int progressWhileReported = 0;
    std::shared_ptr<Gate> gate = std::make_shared<Gate>();
    testutil::Hang hang;
    Form1 form{services()};
    DriveListBox *Drive1 = form.findChild<DriveListBox *>(QStringLiteral("Drive1"));
    DirListBox *Dir1 = form.findChild<DirListBox *>(QStringLiteral("Dir1"));
    FileListBox *File1 = form.findChild<FileListBox *>(QStringLiteral("File1"));
    TextBox *txtPattern = form.findChild<TextBox *>(QStringLiteral("txtPattern"));
    CheckBox *Check1 = form.findChild<CheckBox *>(QStringLiteral("Check1"));
    CommandButton *Command1 = form.findChild<CommandButton *>(QStringLiteral("Command1"));
    ListBox *List1 = form.findChild<ListBox *>(QStringLiteral("List1"));

    /// Makes \a files (each holding its own name), opens the folder and
    /// shows the window once both lists have read it.
    explicit Window(const Names &files)
    {
        for (const auto &name : files)
            writeFile(join(folder, name), name);
        txtPattern->setText(QStringLiteral("*.jpg"));
        Dir1->SetPath(folder);
        form.show();
        read();
    }
    explicit Window(StartedInWorkingFolder)
    {
        txtPattern->setText(QStringLiteral("*.jpg"));
        form.show();
        read();
    }
    ~Window()
    {
        // A rename still held would hold its thread for ever.
        gate->release();
    }

    /// Renames through the gate, reads through the hang, records errors, and
    /// offers the root and the window's folder as the only drives.
    Services services()
    {
        Services services = testutil::ownVolumes({folder}, hang.services());
        services.makeRenamer = [gate = gate](HeldFolder held) {
            return std::make_unique<GatedRenamer>(std::move(held), gate);
        };
        services.reportError = [this](QWidget *, const QString &message,
                                      const std::optional<ErrorAction> &action) {
            errors << message;
            offered = action;
            if (reportOpenFor.count() > 0) {
                QEventLoop box;
                for (const RenamingJob *job : form.findChildren<RenamingJob *>())
                    QObject::connect(job, &RenamingJob::progressed, &box,
                                     [this] { ++progressWhileReported; });
                QTimer::singleShot(reportOpenFor, &box, &QEventLoop::quit);
                box.exec();
            }
            if (offerTaken && action)
                action->run();
        };
        return services;
    }

    std::string content(const std::string &name) const { return readFile(join(folder, name)); }
    QAction *undoAction() const { return List1->actions().first(); }
    ProgressWindow *progress() const { return form.findChild<ProgressWindow *>(); }

    /// Whether both lists have read their folders within a while.
    bool read() const { return testutil::readDone(*Dir1) && testutil::readDone(*File1); }
    /// Whether, within a while, no batch or undo runs and the file list has
    /// read its folder.
    bool idle() const
    {
        return QTest::qWaitFor([this] { return Command1->isEnabled(); }, 10000);
    }
    /// Clicks Remove Spaces once it can start, past the double-click interval
    /// after the last batch, and waits for the batch to end.
    bool click()
    {
        if (!idle())
            return false;
        QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 10);
        QTest::mouseClick(Command1, Qt::LeftButton);
        return idle();
    }
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

Names sorted(Names names)
{
    std::sort(names.begin(), names.end());
    return names;
}

/// Asks the job of \a window to stop \a how: "escape" or "stop button" in
/// the progress window, "escape in window", or "window closed".
void stop(Window &window, const QString &how)
{
    if (how == QLatin1String("escape"))
        QTest::keyClick(window.progress(), Qt::Key_Escape);
    else if (how == QLatin1String("stop button"))
        QTest::mouseClick(window.progress()->findChild<QPushButton *>(), Qt::LeftButton);
    else if (how == QLatin1String("escape in window")) {
        // As a click into the window, away from the progress window.
        QApplication::setActiveWindow(&window.form);
        QTest::keyClick(window.List1, Qt::Key_Escape);
    }
    else
        window.form.close();
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
        window.undoAction()->trigger();
    else if (window.offered)
        window.offered->run();
}

} // namespace

class TestWiring : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
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
    void pickingDrive_movesFoldersAndFilesOnly();
    void pendingRead_newerChoiceWins_data();
    void pendingRead_newerChoiceWins();
    void pendingRead_removeSpacesCannotStart_data();
    void pendingRead_removeSpacesCannotStart();
    void heldRename_windowAnswersButNothingChanges_data();
    void heldRename_windowAnswersButNothingChanges();
    void heldRename_stop_endsRightAfterIt_data();
    void heldRename_stop_endsRightAfterIt();
    void heldRename_closedTwice_closesAtOnce();
    void progress_toldWaitingOnceSlow();
    void undo_restoresExactNames_data();
    void undo_restoresExactNames();
    void undo_refusesFilesChangedSince_data();
    void undo_refusesFilesChangedSince();
    void undo_keptByBatchThatChangedNoName();
    void undo_keptAfterFolderOrPatternChange_data();
    void undo_keptAfterFolderOrPatternChange();
};

// The reports count files in English's plural forms. A short double-click
// interval keeps the waits of click() short.
void TestWiring::initTestCase()
{
    InstallTranslations(QLocale(QLocale::English), {QStringLiteral(QUILLET_TRANSLATIONS_DIR)});
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(50);
}

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
    const QWidget *focused = QApplication::focusWidget();
    if (byKeyboard)
        QTest::keyClick(&window.form, Qt::Key_R, Qt::AltModifier);
    else
        QTest::mouseClick(window.Command1, Qt::LeftButton);

    QTRY_COMPARE(listed(*window.List1), expected);
    QVERIFY(window.idle());
    QCOMPARE(window.errors, QStringList());
    // The focus is back where it was, even on the check box that the batch
    // disabled.
    QCOMPARE(QApplication::focusWidget(), focused);
    QCOMPARE(window.content(expected[0]), std::string("a b.jpg"));
    QCOMPARE(window.content("d e.png"), std::string("d e.png"));
    // The file list keeps the names it read until it is told to read again.
    QCOMPARE(listed(*window.File1), (Names{"a b.jpg", "c.jpg"}));
    window.txtPattern->setText(QStringLiteral("*.JPG"));
    QVERIFY(window.read());
    QCOMPARE(listed(*window.File1), expected);
}

void TestWiring::click_withCollision_stopsReportsAndKeepsFiles()
{
    Window window({"a b.jpg", "ab.jpg", "x y.jpg"});
    QVERIFY(window.dir.isValid());

    QVERIFY(window.click());

    QCOMPARE(window.errors,
             QStringList(QStringLiteral(
                 "Could not rename \"a b.jpg\" to \"ab.jpg\": a file named \"ab.jpg\" already "
                 "exists.\n\nRenaming stopped at this file. No file was renamed. This file and "
                 "the 2 files after it were left as they were.")));
    QCOMPARE(listed(*window.List1), Names{});
    QCOMPARE(folderNames(window.folder), (Names{"a b.jpg", "ab.jpg", "x y.jpg"}));
    QCOMPARE(window.content("ab.jpg"), std::string("ab.jpg"));

    // The window goes on working after the failure.
    window.txtPattern->setText(QStringLiteral("x*"));
    QVERIFY(window.click());
    QCOMPARE(listed(*window.List1), Names{"xy.jpg"});
    QCOMPARE(window.errors.size(), 1);
}

void TestWiring::clickTwice_stopsAtStaleName()
{
    Window window({"a.jpg", "b c.jpg", "d.jpg"});
    QVERIFY(window.dir.isValid());

    QVERIFY(window.click());
    QCOMPARE(listed(*window.List1), (Names{"a.jpg", "bc.jpg", "d.jpg"}));
    QVERIFY(window.click());

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

    QVERIFY(window.click());

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

    QVERIFY(window.click());

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
    QVERIFY(window.click());

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
    QVERIFY(window.read());
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
    QVERIFY(window.read());
    const int subRow = window.Dir1->ListCount() - 1;
    QCOMPARE(window.Dir1->List(subRow), sub);
    const QRect subRect = window.Dir1->visualRect(window.Dir1->model()->index(subRow, 0));

    QTest::mouseClick(window.Dir1->viewport(), Qt::LeftButton, {}, subRect.center());
    QCOMPARE(window.Dir1->ListIndex(), subRow);
    QCOMPARE(window.File1->Path(), window.folder);

    QVERIFY(window.click());
    QCOMPARE(folderNames(window.folder), (Names{"ab.jpg", "sub"}));
    QCOMPARE(folderNames(sub), Names{"s t.jpg"});

    QTest::mouseDClick(window.Dir1->viewport(), Qt::LeftButton, {}, subRect.center());
    QCOMPARE(window.File1->Path(), sub);
    QVERIFY(window.read());
    QCOMPARE(listed(*window.File1), Names{"s t.jpg"});
    QCOMPARE(window.errors, QStringList());
}

void TestWiring::pickingDrive_movesFoldersAndFilesOnly()
{
    Window window({"a b.jpg"});
    QVERIFY(window.dir.isValid());
    QVERIFY(window.click());
    QCOMPARE(listed(*window.List1), Names{"ab.jpg"});
    const int rootIndex = window.Drive1->findData(QByteArray::fromStdString(FallbackFolder()));
    QVERIFY(rootIndex >= 0);

    window.Drive1->setCurrentIndex(rootIndex);
    emit window.Drive1->activated(rootIndex);
    QVERIFY(window.read());

    QCOMPARE(window.Dir1->Path(), window.Drive1->Drive());
    QCOMPARE(window.File1->Path(), window.Drive1->Drive());
    QCOMPARE(listed(*window.List1), Names{"ab.jpg"});
    QCOMPARE(window.errors, QStringList());
}

void TestWiring::pendingRead_newerChoiceWins_data()
{
    QTest::addColumn<bool>("folderOpened"); // else a pattern typed
    QTest::addColumn<Names>("expected");
    QTest::newRow("folder opened") << true << Names{"f 1.jpg"};
    QTest::newRow("pattern typed") << false << Names{"h 2.png"};
}

// While the read of a folder hangs, the user opens another folder or types
// another pattern: only the newer choice's files are ever listed, whenever
// the older read ends, and the batch renames them where they are.
void TestWiring::pendingRead_newerChoiceWins()
{
    QFETCH(bool, folderOpened);
    QFETCH(Names, expected);
    Window window(Names{});
    QVERIFY(window.dir.isValid());
    const std::string hung = join(window.folder, "hung");
    const std::string free = join(window.folder, "free");
    for (const std::string &sub : {hung, free})
        std::filesystem::create_directory(NativePath(sub));
    testutil::populate(hung, "h 1.jpg=; h 2.png=");
    testutil::populate(free, "f 1.jpg=");
    testutil::Hang &hang = window.hang;
    hang.holdFolder(hung);
    std::vector<Names> shown;
    connect(window.File1->model(), &QAbstractItemModel::modelReset, window.File1, [&] {
        if (window.File1->ListCount() > 0)
            shown.push_back(listed(*window.File1));
    });
    window.Dir1->SetPath(hung);
    QTRY_COMPARE(hang.waiting(), 1); // one reading serves both lists

    if (folderOpened) {
        window.Dir1->SetPath(free);
    } else {
        window.txtPattern->clear();
        QTest::keyClicks(window.txtPattern, QStringLiteral("*.png"));
        hang.release(); // every read of the typed patterns ends, in any order
    }
    QVERIFY(window.read());
    hang.release();
    QTRY_COMPARE(hang.waiting(), 0);
    QTest::qWait(50); // the older reads' results, had they been kept, would arrive now

    QCOMPARE(shown, std::vector<Names>{expected});
    QCOMPARE(window.File1->Folder().Path(), window.File1->Path());
    std::string renamed = expected[0];
    std::erase(renamed, ' ');
    QVERIFY(window.click());
    QCOMPARE(listed(*window.List1), Names{renamed});
    QVERIFY(std::ranges::count(folderNames(window.File1->Path()), renamed) == 1);
    QCOMPARE(window.errors, QStringList());
}

void TestWiring::pendingRead_removeSpacesCannotStart_data()
{
    QTest::addColumn<bool>("byKeyboard");
    QTest::newRow("mouse") << false;
    QTest::newRow("alt+r") << true;
}

// Until the file list has read its folder it holds no names, and a batch
// started meanwhile would clear the results for nothing: the button takes no
// click, and none is kept for later.
void TestWiring::pendingRead_removeSpacesCannotStart()
{
    QFETCH(bool, byKeyboard);
    Window window({"a b.jpg"});
    QVERIFY(window.dir.isValid());
    QVERIFY(QTest::qWaitForWindowActive(&window.form));
    testutil::Hang &hang = window.hang;
    hang.holdFolder(window.folder);
    window.Dir1->SetPath(window.folder);
    QTRY_COMPARE(hang.waiting(), 1);
    QVERIFY(!window.Command1->isEnabled());

    if (byKeyboard)
        QTest::keyClick(&window.form, Qt::Key_R, Qt::AltModifier);
    else
        QTest::mouseClick(window.Command1, Qt::LeftButton);
    QTest::qWait(150); // an access key clicks its control a moment later
    hang.release();
    QVERIFY(window.idle());
    QTest::qWait(150);

    QCOMPARE(window.gate->entered(), 0);
    QCOMPARE(folderNames(window.folder), Names{"a b.jpg"});
    QCOMPARE(listed(*window.File1), Names{"a b.jpg"});
    QCOMPARE(window.errors, QStringList());
}

void TestWiring::heldRename_windowAnswersButNothingChanges_data()
{
    QTest::addColumn<QString>("input");
    for (const char *input :
         {"click button", "double click button", "alt+r", "alt+r twice", "alt+u", "click check box",
          "type pattern", "open parent folder", "click button as it ends", "alt+r as it ends",
          "click behind alt+r"})
        QTest::newRow(input) << QString::fromLatin1(input);
}

// While the second rename of a batch is held, the window takes the input it
// is given, but nothing changes what the batch works on and no second batch
// starts; nor does a press within the double-click interval after the batch
// ended, however long the batch took (the third press of a triple click).
void TestWiring::heldRename_windowAnswersButNothingChanges()
{
    QFETCH(QString, input);
    Window window({"a b.jpg", "c d.jpg", "e f.jpg"});
    QVERIFY(window.dir.isValid());
    QVERIFY(QTest::qWaitForWindowActive(&window.form));
    window.gate->holdAt(1);
    // Alt+R clicks the button a moment later, on the batch that the click
    // queued behind it started.
    if (input == QLatin1String("click behind alt+r"))
        QTest::keyClick(&window.form, Qt::Key_R, Qt::AltModifier);
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QTRY_COMPARE(window.gate->entered(), 2);
    QTRY_COMPARE(listed(*window.List1), Names{"ab.jpg"});
    const bool asItEnds = input.endsWith(QLatin1String("as it ends"));
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(asItEnds ? 1000 : 50);
    const auto shortAgain =
        qScopeGuard([] { QGuiApplication::styleHints()->setMouseDoubleClickInterval(50); });
    if (asItEnds) {
        QTest::qWait(1100);
        window.gate->release();
        QVERIFY(window.idle());
        QApplication::setActiveWindow(&window.form); // as the progress window goes
    }

    if (input.startsWith(QLatin1String("click button")))
        QTest::mouseClick(window.Command1, Qt::LeftButton);
    else if (input == QLatin1String("double click button"))
        QTest::mouseDClick(window.Command1, Qt::LeftButton);
    else if (input.startsWith(QLatin1String("alt+r"))) {
        QTest::keyClick(&window.form, Qt::Key_R, Qt::AltModifier);
        if (input.endsWith(QLatin1String("twice")))
            QTest::keyClick(&window.form, Qt::Key_R, Qt::AltModifier);
    } else if (input == QLatin1String("alt+u"))
        QTest::keyClick(&window.form, Qt::Key_U, Qt::AltModifier);
    else if (input == QLatin1String("click check box"))
        QTest::mouseClick(window.Check1, Qt::LeftButton);
    else if (input == QLatin1String("type pattern"))
        QTest::keyClicks(window.txtPattern, QStringLiteral("x"));
    else if (input == QLatin1String("open parent folder")) {
        QTest::keyClick(window.Dir1, Qt::Key_Up);
        QTest::keyClick(window.Dir1, Qt::Key_Return);
    }
    QTest::qWait(150); // an access key clicks its control a moment later
    QCOMPARE(window.gate->left(), asItEnds ? 3 : 1);
    window.gate->release();
    QVERIFY(window.idle());

    QCOMPARE(window.gate->entered(), 3);
    QCOMPARE(window.errors, QStringList());
    QCOMPARE(listed(*window.List1), (Names{"ab.jpg", "cd.jpg", "ef.jpg"}));
    QTRY_COMPARE(window.List1->model()->rowCount(), 3); // shown, not only held
    QCOMPARE(window.Check1->Value(), 0);
    QCOMPARE(window.txtPattern->Text(), std::string("*.jpg"));
    QCOMPARE(window.Dir1->Path(), window.folder);
    QCOMPARE(window.File1->Path(), window.folder);
    QCOMPARE(folderNames(window.folder), (Names{"ab.jpg", "cd.jpg", "ef.jpg"}));
}

void TestWiring::heldRename_stop_endsRightAfterIt_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("outcome"); // of the held rename
    QTest::addColumn<int>("renamed");
    QTest::addColumn<QString>("report");
    const QString stopped = QStringLiteral("Renaming was stopped.\n\n");
    for (const char *how : {"escape", "stop button", "escape in window", "window closed"}) {
        QTest::addRow("%s/held rename succeeds", how)
            << QString::fromLatin1(how) << QStringLiteral("renamed") << 3
            << stopped + QStringLiteral("3 files were renamed and are listed. 2 files were left "
                                        "as they were.");
    }
    QTest::newRow("stop button/held rename fails")
        << QStringLiteral("stop button") << QStringLiteral("taken") << 2
        << QStringLiteral("Could not rename \"f 03.jpg\" to \"f03.jpg\": a file named \"f03.jpg\" "
                          "already exists.\n\nRenaming stopped at this file. 2 files were renamed "
                          "and are listed. This file and the 2 files after it were left as they "
                          "were.");
}

// Stop, asked for while the file system does not answer for the third file,
// takes effect once that rename returns: it is counted as it ended, and no
// file after it is touched. Closed meanwhile, the window closes once the
// report has been read.
void TestWiring::heldRename_stop_endsRightAfterIt()
{
    QFETCH(QString, how);
    QFETCH(QString, outcome);
    QFETCH(int, renamed);
    QFETCH(QString, report);
    const Names names = spacedNames(5);
    Window window(names);
    QVERIFY(window.dir.isValid());
    QVERIFY(QTest::qWaitForWindowActive(&window.form));
    window.gate->holdAt(2);
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QTRY_VERIFY(window.progress() != nullptr && window.progress()->isVisible());
    auto *label = window.progress()->findChild<QLabel *>();
    QTRY_VERIFY2(label->text().contains(QStringLiteral("slow to answer")),
                 qPrintable(label->text()));
    QVERIFY2(label->text().startsWith(QStringLiteral("Renaming 3 of 5:\nf 03.jpg\n")),
             qPrintable(label->text()));
    if (outcome == QLatin1String("taken"))
        writeFile(join(window.folder, "f03.jpg"), "theirs");

    stop(window, how);
    QTRY_VERIFY2(label->text().contains(QStringLiteral("Stopping once this file is done.")),
                 qPrintable(label->text()));
    QTest::qWait(50);
    QCOMPARE(window.gate->left(), 2);
    QVERIFY(window.form.isVisible());
    window.gate->release();
    QTRY_VERIFY(window.progress() == nullptr);

    QCOMPARE(window.gate->entered(), 3);
    QCOMPARE(window.errors, QStringList(report));
    Names expected = names;
    for (int index = 0; index < renamed; ++index)
        std::erase(expected[static_cast<std::size_t>(index)], ' ');
    QCOMPARE(listed(*window.List1), Names(expected.begin(), expected.begin() + renamed));
    if (outcome == QLatin1String("taken"))
        expected.push_back("f03.jpg");
    QCOMPARE(folderNames(window.folder), sorted(expected));
    QCOMPARE(window.form.isVisible(), how != QLatin1String("window closed"));
}

// The file system does not answer, and the user closes the window again: it
// closes at once, and once the rename returns no file after it is touched.
void TestWiring::heldRename_closedTwice_closesAtOnce()
{
    const Names names = spacedNames(4);
    Window window(names);
    QVERIFY(window.dir.isValid());
    window.gate->holdAt(1);
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QTRY_COMPARE(window.gate->entered(), 2);

    window.form.close();
    QVERIFY(window.form.isVisible());
    window.form.close();
    QVERIFY(!window.form.isVisible());
    window.gate->release();
    QTRY_COMPARE(window.gate->left(), 2);
    QTest::qWait(50);

    QCOMPARE(window.gate->entered(), 2);
    QCOMPARE(window.errors, QStringList());
    QCOMPARE(folderNames(window.folder), sorted({"f01.jpg", "f02.jpg", "f 03.jpg", "f 04.jpg"}));
}

// A rename is told as waiting for the file system only once it has taken a
// second.
void TestWiring::progress_toldWaitingOnceSlow()
{
    RenamingJob job;
    const ProgressWindow window(nullptr, job, RenamingProgress::Kind::Batch, 5);
    for (const auto &[waited, slow] : {std::pair{500, false}, std::pair{2000, true}}) {
        RenamingJob::Progress progress;
        progress.name = "a b.jpg";
        progress.since = RenamingJob::Clock::now() - std::chrono::milliseconds(waited);
        emit job.progressed(progress);

        const QString text = window.findChild<QLabel *>()->text();
        QVERIFY2(text.startsWith(QStringLiteral("Renaming 1 of 5:\na b.jpg")), qPrintable(text));
        QCOMPARE(text.contains(QStringLiteral("slow to answer")), slow);
    }
}

void TestWiring::undo_restoresExactNames_data()
{
    QTest::addColumn<Names>("files");
    QTest::addColumn<bool>("stopped");
    QTest::addColumn<QString>("how");
    const std::string raw = testutil::rawNamePart();
    const Names withRaw{"a b.jpg", "caf" + raw + " \xc3\xa9.jpg", "d.jpg", "e f.jpg"};
    const Names collision{"a b.jpg", "c d.jpg", "cd.jpg"};
    QTest::newRow("success/ctrl+z") << withRaw << false << QStringLiteral("ctrl+z");
    QTest::newRow("success/context menu") << withRaw << false << QStringLiteral("context menu");
    QTest::newRow("success/ctrl+z in the pattern box")
        << withRaw << false << QStringLiteral("ctrl+z in the pattern box");
    QTest::newRow("collision/ctrl+z") << collision << false << QStringLiteral("ctrl+z");
    QTest::newRow("collision/undo button") << collision << false << QStringLiteral("undo button");
    QTest::newRow("collision/undo button as the box closes")
        << collision << false << QStringLiteral("undo button as the box closes");
    QTest::newRow("stopped/undo button") << spacedNames(5) << true << QStringLiteral("undo button");
}

void TestWiring::undo_restoresExactNames()
{
    QFETCH(Names, files);
    QFETCH(bool, stopped);
    QFETCH(QString, how);
    Window window(files);
    QVERIFY(window.dir.isValid());
    QVERIFY(QTest::qWaitForWindowActive(&window.form));
    const QByteArray before = testutil::snapshot(window.folder);
    const bool fromBox = how == QLatin1String("undo button as the box closes");
    if (fromBox) {
        // The undo starts as the box closes, within the batch's end; its
        // first rename is held.
        window.reportOpenFor = std::chrono::milliseconds(300);
        window.offerTaken = true;
        window.gate->holdAt(2);
        QTest::mouseClick(window.Command1, Qt::LeftButton);
        QTRY_COMPARE(window.gate->entered(), 3);
    } else if (stopped) {
        window.gate->holdAt(2);
        QTest::mouseClick(window.Command1, Qt::LeftButton);
        QTRY_COMPARE(window.gate->entered(), 3);
        QTest::keyClick(window.List1, Qt::Key_Escape);
        window.gate->release();
        QVERIFY(window.idle());
    } else {
        QVERIFY(window.click());
    }
    QVERIFY(testutil::snapshot(window.folder) != before);
    const qsizetype reported = window.errors.size();

    if (fromBox) {
        // The ended batch sent nothing more while the box was open, and the
        // undo runs as any: the controls take no input until it ends.
        QCOMPARE(window.progressWhileReported, 0);
        QVERIFY(!window.txtPattern->isEnabled());
        window.gate->release();
    } else {
        undo(window, how);
    }
    QVERIFY(window.idle());

    QCOMPARE(window.errors.size(), reported);
    QCOMPARE(testutil::snapshot(window.folder), before);
    QCOMPARE(listed(*window.List1), Names{});
    QCOMPARE(listed(*window.File1), files);
    // Offered once.
    QVERIFY(!window.undoAction()->isEnabled());
}

void TestWiring::undo_refusesFilesChangedSince_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("report");
    QTest::newRow("old name taken")
        << QStringLiteral("a b.jpg") << "a b.jpg=newcomer; ab.jpg=a b.jpg; c d.jpg=c d.jpg"_ba
        << QStringLiteral("Could not rename \"ab.jpg\" to \"a b.jpg\": a file named \"a b.jpg\" "
                          "already exists.\n\nUndoing stopped at this file. The file renamed "
                          "after it got its old name back. This file keeps its new name.");
    QTest::newRow("new name replaced")
        << QStringLiteral("cd.jpg") << "ab.jpg=a b.jpg; cd.jpg=newcomer"_ba
        << QStringLiteral("Could not rename \"cd.jpg\" to \"c d.jpg\": another file has taken "
                          "the name \"cd.jpg\" since it was renamed; that file is left alone.\n\n"
                          "Undoing stopped at this file. No file got its old name back. This "
                          "file and the file renamed before it keep their new names.");
}

// Undo never overwrites a file, and never renames one that the batch did
// not rename.
void TestWiring::undo_refusesFilesChangedSince()
{
    QFETCH(QString, change);
    QFETCH(QByteArray, after);
    QFETCH(QString, report);
    Window window({"a b.jpg", "c d.jpg"});
    QVERIFY(window.dir.isValid());
    QVERIFY(QTest::qWaitForWindowActive(&window.form));
    QVERIFY(window.click());
    const std::string changed = join(window.folder, change.toStdString());
    std::filesystem::remove(NativePath(changed));
    writeFile(changed, "newcomer");

    QTest::keyClick(&window.form, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(window.idle());

    QCOMPARE(window.errors, QStringList(report));
    QCOMPARE(testutil::snapshot(window.folder), after);
    QCOMPARE(listed(*window.List1), Names{});
    QCOMPARE(sorted(listed(*window.File1)), folderNames(window.folder));
}

// A second click renames only the files before the first renamed one onto
// themselves: the first batch can still be undone.
void TestWiring::undo_keptByBatchThatChangedNoName()
{
    Window window({"a.jpg", "b c.jpg"});
    QVERIFY(window.dir.isValid());
    QVERIFY(QTest::qWaitForWindowActive(&window.form));
    QVERIFY(window.click());
    QVERIFY(window.click());
    QCOMPARE(window.errors.size(), 1);
    QVERIFY(!window.offered);

    QTest::keyClick(&window.form, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(window.idle());

    QCOMPARE(folderNames(window.folder), (Names{"a.jpg", "b c.jpg"}));
    QCOMPARE(window.errors.size(), 1);
    // Two batches of two renames each, then the undo of "bc.jpg" alone.
    QCOMPARE(window.gate->entered(), 5);
}

void TestWiring::undo_keptAfterFolderOrPatternChange_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("undone");
    QTest::addColumn<Names>("listedAfter");
    QTest::newRow("other folder opened/ctrl+z")
        << QStringLiteral("other folder opened") << QStringLiteral("ctrl+z") << true
        << Names{"o p.jpg"};
    QTest::newRow("pattern typed/context menu")
        << QStringLiteral("pattern typed") << QStringLiteral("context menu") << true
        << Names{"a b.jpg"};
    // The box undoes what was typed in it first.
    QTest::newRow("pattern typed/ctrl+z in the pattern box")
        << QStringLiteral("pattern typed") << QStringLiteral("ctrl+z in the pattern box") << false
        << Names{"ab.jpg"};
}

// The undo renames back in the folder of its batch, whatever the window
// shows by then, and says where when that is another folder; the lists stay
// on the folder the user is in.
void TestWiring::undo_keptAfterFolderOrPatternChange()
{
    QFETCH(QString, change);
    QFETCH(QString, how);
    QFETCH(bool, undone);
    QFETCH(Names, listedAfter);
    Window window({"a b.jpg"});
    QVERIFY(window.dir.isValid());
    QVERIFY(QTest::qWaitForWindowActive(&window.form));
    const std::string other = join(window.folder, "other");
    std::filesystem::create_directory(NativePath(other));
    writeFile(join(other, "o p.jpg"), "");
    QVERIFY(window.click());

    if (change.startsWith(QLatin1String("pattern")))
        QTest::keyClicks(window.txtPattern, QStringLiteral("*"));
    else
        window.Dir1->SetPath(other);
    QVERIFY(window.read());
    const std::string shown = window.File1->Path();
    QCOMPARE(window.undoAction()->text(),
             shown == window.folder
                 ? u"&Undo renaming"_s
                 : u"&Undo renaming in \"%1\""_s.arg(QString::fromStdString(window.folder)));
    undo(window, how);
    QVERIFY(window.idle());

    QCOMPARE(folderNames(window.folder), (Names{undone ? "a b.jpg" : "ab.jpg", "other"}));
    QCOMPARE(listed(*window.List1), undone ? Names{} : Names{"ab.jpg"});
    QVERIFY(window.read());
    QCOMPARE(listed(*window.File1), listedAfter);
}

QTEST_MAIN(TestWiring)
#include "tst_wiring.moc"
