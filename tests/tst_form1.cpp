#include "checkbox.h"
#include "commandbutton.h"
#include "dirlistbox.h"
#include "drivelistbox.h"
#include "eventhandler.h"
#include "filelistbox.h"
#include "folderpath.h"
#include "batch.h"
#include "form1.h"
#include "listbox.h"
#include "messages.h"
#include "renameerror.h"
#include "startfolder.h"
#include "textbox.h"
#include "translations.h"

#include "testutil.h"

#include <QAccessible>
#include <QClipboard>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QTextEdit>
#include <QTranslator>

#include <chrono>
#include <future>
#include <map>
#include <optional>

using namespace quillet;
using quillet::NativePath;

Q_DECLARE_METATYPE(quillet::RenamingResult)

namespace {

// The window's translation for \a locale, installed for as long as it lives.
class Translation
{
public:
    explicit Translation(const QString &locale)
    {
        InstallTranslations(QLocale(locale), {QStringLiteral(QUILLET_TRANSLATIONS_DIR)});
    }
    ~Translation()
    {
        for (QTranslator *translator : qApp->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    Translation(const Translation &) = delete;
    Translation &operator=(const Translation &) = delete;
};

// Shows \a form; whether it is active and its file list has read its folder
// within a while: Remove Spaces takes input, and the focus, from then on.
bool showAndRead(Form1 &form)
{
    form.show();
    return QTest::qWaitForWindowActive(&form) &&
           testutil::readDone(*form.findChild<FileListBox *>(QStringLiteral("File1")));
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void controls_areLaidOutAsDescribed_data();
    void controls_areLaidOutAsDescribed();
    void window_startsAtItsSizeAndGrowsWithItsLists();
    void controls_areCreatedInOrder();
    void tabKey_startsOnButtonAndVisitsControlsInTabOrder();
    void start_showsCurrentFolderWithStartingPattern();
    void start_inVanishedFolder_showsRootAndSaysWhy();
    void start_hungFileSystem_windowAnswers_data();
    void start_hungFileSystem_windowAnswers();
    void accessKeys_clickButtonAndToggleCheckBox();
    void language_followsLocale_data();
    void language_followsLocale();
    void reports_tellWhatHappened_data();
    void reports_tellWhatHappened();
    void captions_fitTheirBoxes_data();
    void captions_fitTheirBoxes();
    void errorBox_wrapsLongNamesAndPaths_data();
    void errorBox_wrapsLongNamesAndPaths();
    void screenReader_namesWindowAndEveryControl();
    void focus_visibleInEveryList();

private:
    std::optional<testutil::TempFolder> m_startFolder;
    std::filesystem::path m_previousFolder;
    // What the window reports, recorded rather than shown in a modal box.
    QStringList m_errors;
    /// The real services, but errors are recorded in m_errors, and the
    /// drive list offers the root and the start folder alone.
    Services recording(Services services = {})
    {
        services.reportError = [this](QWidget *, const QString &message,
                                      const std::optional<ErrorAction> &) { m_errors << message; };
        return testutil::ownVolumes({m_startFolder->path()}, std::move(services));
    }
};

void TestForm1::init()
{
    // The window starts on the current folder: make that a known one.
    QVERIFY(m_startFolder.emplace().isValid());
    m_previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(NativePath(m_startFolder->path()));
    m_errors.clear();
}

void TestForm1::cleanup()
{
    std::filesystem::current_path(m_previousFolder);
    m_startFolder.reset();
    QCOMPARE(m_errors, QStringList());
}

void TestForm1::controls_areLaidOutAsDescribed_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");

    // Positions are the classic twip layout divided by 15 (pixels at 96 dpi).
    QTest::newRow("Check1") << QStringLiteral("Check1") << QByteArray("quillet::CheckBox")
                            << QRect(312, 147, 145, 17)
                            << QStringLiteral("Replace with &Underscore");
    QTest::newRow("List1") << QStringLiteral("List1") << QByteArray("quillet::ListBox")
                           << QRect(370, 3, 161, 134) << QString();
    QTest::newRow("txtPattern") << QStringLiteral("txtPattern") << QByteArray("quillet::TextBox")
                                << QRect(168, 147, 129, 19) << QStringLiteral("*.JPG");
    QTest::newRow("Drive1") << QStringLiteral("Drive1") << QByteArray("quillet::DriveListBox")
                            << QRect(2, 3, 177, 21) << QString();
    QTest::newRow("Dir1") << QStringLiteral("Dir1") << QByteArray("quillet::DirListBox")
                          << QRect(2, 27, 177, 111) << QString();
    QTest::newRow("File1") << QStringLiteral("File1") << QByteArray("quillet::FileListBox")
                           << QRect(186, 3, 177, 136) << QString();
    QTest::newRow("Command1") << QStringLiteral("Command1") << QByteArray("quillet::CommandButton")
                              << QRect(3, 180, 528, 34) << QStringLiteral("&Remove Spaces");
    QTest::newRow("Label1") << QStringLiteral("Label1") << QByteArray("QLabel")
                            << QRect(120, 150, 41, 17) << QStringLiteral("Pattern:");
}

void TestForm1::controls_areLaidOutAsDescribed()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, kind);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    Form1 form(recording());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    const auto *control = form.findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(QByteArray(control->metaObject()->className()), kind);
    QCOMPARE(control->geometry(), geometry);
    if (!text.isNull()) {
        const QVariant shown = control->property("text");
        QCOMPARE(shown.toString(), text);
    }
}

// Grown, as when maximised, the window gives the room to its three lists and
// widens the button; the pattern row stays together, as far below the lists
// and as far right of the folder list as it started.
void TestForm1::window_startsAtItsSizeAndGrowsWithItsLists()
{
    Form1 form(recording());
    QCOMPARE(form.windowTitle(),
             QStringLiteral("Quillet - By Brindle_Ox (https://brindle-ox.example) "));
    QCOMPARE(form.size(), QSize(535, 218));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const auto at = [&form](const char *name) {
        return form.findChild<QWidget *>(QString::fromLatin1(name))->geometry();
    };
    const auto offset = [&at](const char *name) {
        return at(name).topLeft() - at("Dir1").bottomRight();
    };
    std::map<std::string, QRect> before;
    for (const char *name : {"Dir1", "File1", "List1", "Command1"})
        before[name] = at(name);
    const QPoint pattern = offset("txtPattern");
    const QPoint check = offset("Check1");

    form.resize(form.size() + QSize(400, 300));

    QTRY_COMPARE(at("Command1").width(), before["Command1"].width() + 400);
    for (const char *list : {"Dir1", "File1", "List1"}) {
        QVERIFY2(at(list).width() >= before[list].width() + 400 / 3, list);
        QCOMPARE(at(list).height(), before[list].height() + 300);
    }
    QCOMPARE(offset("txtPattern"), pattern);
    QCOMPARE(offset("Check1"), check);
}

void TestForm1::controls_areCreatedInOrder()
{
    Form1 form(recording());
    QStringList names;
    for (const auto *child : form.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        names << child->objectName();
    QCOMPARE(names, (QStringList{QStringLiteral("Check1"), QStringLiteral("List1"),
                                 QStringLiteral("txtPattern"), QStringLiteral("Drive1"),
                                 QStringLiteral("Dir1"), QStringLiteral("File1"),
                                 QStringLiteral("Command1"), QStringLiteral("Label1")}));
}

void TestForm1::tabKey_startsOnButtonAndVisitsControlsInTabOrder()
{
    Form1 form(recording());
    QVERIFY(showAndRead(form));

    // The first control in tab order has the focus when the window opens.
    QStringList visited;
    for (int i = 0; i < 8; ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, (QStringList{QStringLiteral("Command1"), QStringLiteral("File1"),
                                   QStringLiteral("Dir1"), QStringLiteral("Drive1"),
                                   QStringLiteral("txtPattern"), QStringLiteral("List1"),
                                   QStringLiteral("Check1"), QStringLiteral("Command1")}));
}

void TestForm1::start_showsCurrentFolderWithStartingPattern()
{
    const std::string &folder = m_startFolder->path();
    for (const char *name : {"b c.JPG", "a.jpg", "d.txt"})
        testutil::writeFile(testutil::join(folder, name), "");

    Form1 form(recording());
    const auto *file1 = form.findChild<FileListBox *>(QStringLiteral("File1"));
    const auto *dir1 = form.findChild<DirListBox *>(QStringLiteral("Dir1"));
    const auto *drive1 = form.findChild<DriveListBox *>(QStringLiteral("Drive1"));

    QCOMPARE(file1->Path(), folder);
    QCOMPARE(file1->Pattern(), std::string("*.JPG"));
    QVERIFY(testutil::readDone(*file1));
    QCOMPARE(file1->ListCount(), 2);
    QCOMPARE(file1->List(0), std::string("a.jpg"));
    QCOMPARE(file1->List(1), std::string("b c.JPG"));
    QCOMPARE(dir1->Path(), folder);
    QCOMPARE(dir1->List(dir1->ListIndex()), folder);
    QCOMPARE(drive1->Drive(), folder);
    QCOMPARE(form.findChild<CheckBox *>(QStringLiteral("Check1"))->Value(), 0);
    QCOMPARE(form.findChild<ListBox *>(QStringLiteral("List1"))->ListCount(), 0);
}

void TestForm1::start_inVanishedFolder_showsRootAndSaysWhy()
{
    // As a shell that started Quillet there names it.
    const QByteArray shellFolder = qgetenv("PWD");
    qputenv("PWD", QByteArray::fromStdString(m_startFolder->path()));
    const auto restore = qScopeGuard([&] { qputenv("PWD", shellFolder); });
    std::error_code error;
    std::filesystem::remove(NativePath(m_startFolder->path()), error);
    if (error)
        QSKIP("this system keeps a process's current folder from being removed");

    Form1 form(recording());
    const auto *file1 = form.findChild<FileListBox *>(QStringLiteral("File1"));
    const auto *dir1 = form.findChild<DirListBox *>(QStringLiteral("Dir1"));

    QTRY_COMPARE(dir1->Path(), FallbackFolder());
    QCOMPARE(file1->Path(), dir1->Path());
    QVERIFY(testutil::readDone(*file1));
    QVERIFY(testutil::readDone(*dir1));
    // Told over the window, once it is shown.
    QCOMPARE(m_errors.size(), 0);
    form.show();
    QTRY_COMPARE(m_errors.size(), 1);
    // Quillet was started in it: it was there.
    QVERIFY2(m_errors.first().contains(QString::fromStdString(m_startFolder->path()) +
                                       QStringLiteral("\": it no longer exists.")) &&
                 m_errors.first().contains(QStringLiteral("is shown instead")),
             qPrintable(m_errors[0]));
    m_errors.clear();
}

void TestForm1::start_hungFileSystem_windowAnswers_data()
{
    QTest::addColumn<bool>("folderHangs"); // else every volume does
    QTest::addColumn<bool>("named"); // on the command line, else the current folder
    QTest::newRow("start folder's read") << true << false;
    QTest::newRow("folder named on the command line") << true << true;
    QTest::newRow("volumes' details") << false << false;
}

// A mount that has stopped answering holds up neither the window nor its
// controls: the user can toggle, type and go to another folder meanwhile.
void TestForm1::start_hungFileSystem_windowAnswers()
{
    QFETCH(bool, folderHangs);
    QFETCH(bool, named);
    const std::string folder =
        named ? testutil::join(m_startFolder->path(), "Named") : m_startFolder->path();
    std::filesystem::create_directories(NativePath(folder));
    testutil::writeFile(testutil::join(folder, "a b.JPG"), "");
    testutil::Hang hang;
    if (folderHangs)
        hang.holdFolder(folder);
    else
        hang.holdVolumes();
    const auto startAsBefore = qScopeGuard([] { SetStartFolder({}, {}); });
    if (named) {
        // Its file system tells whether it names a file only once the call
        // has returned (or, after 10 s, names the root): the call waits a
        // moment at most.
        std::promise<void> returned;
        SetStartFolder(folder, [told = returned.get_future().share(), folder](const std::string &) {
            return told.wait_for(std::chrono::seconds(10)) == std::future_status::ready
                       ? folder
                       : FallbackFolder();
        });
        returned.set_value();
        QCOMPARE(StartFolder(), folder);
    }

    Form1 form(hang.services(recording()));
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto *file1 = form.findChild<FileListBox *>(QStringLiteral("File1"));
    auto *dir1 = form.findChild<DirListBox *>(QStringLiteral("Dir1"));
    auto *drive1 = form.findChild<DriveListBox *>(QStringLiteral("Drive1"));
    auto *command1 = form.findChild<CommandButton *>(QStringLiteral("Command1"));
    QTRY_VERIFY(hang.waiting() > 0);
    if (!folderHangs)
        QVERIFY(testutil::readDone(*file1));

    QCOMPARE(file1->Path(), folder);
    QCOMPARE(file1->IsReading(), folderHangs);
    QCOMPARE(command1->isEnabled(), !folderHangs);
    QVERIFY(folder.starts_with(drive1->Drive()));
    QTest::keyClick(&form, Qt::Key_U, Qt::AltModifier);
    QTRY_COMPARE(form.findChild<CheckBox *>(QStringLiteral("Check1"))->Value(), 1);
    QTest::keyClick(dir1, Qt::Key_Up);
    QTest::keyClick(dir1, Qt::Key_Return);
    const std::string parent = std::filesystem::path(folder).parent_path().string();
    QCOMPARE(dir1->Path(), parent);
    QCOMPARE(file1->Path(), parent);
    QVERIFY(testutil::readDone(*file1));
    QVERIFY(command1->isEnabled());
    QVERIFY(hang.waiting() > 0);
}

void TestForm1::accessKeys_clickButtonAndToggleCheckBox()
{
    Form1 form(recording());
    QVERIFY(showAndRead(form));
    auto *check1 = form.findChild<CheckBox *>(QStringLiteral("Check1"));
    QSignalSpy clicks(form.findChild<CommandButton *>(QStringLiteral("Command1")),
                      &CommandButton::Click);

    QTest::keyClick(&form, Qt::Key_U, Qt::AltModifier);
    QTRY_COMPARE(check1->Value(), 1);
    QTest::keyClick(&form, Qt::Key_U, Qt::AltModifier);
    QTRY_COMPARE(check1->Value(), 0);
    QTest::keyClick(&form, Qt::Key_R, Qt::AltModifier);
    QTRY_COMPARE(clicks.count(), 1);
}

void TestForm1::language_followsLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("message");
    const QString english = QStringLiteral("&Remove Spaces");
    const QString englishMessage =
        QStringLiteral("Could not rename \"a b\" to \"ab\": a file named \"ab\" already exists.");
    QTest::newRow("English") << QStringLiteral("en_US") << english << englishMessage;
    QTest::newRow("no translation") << QStringLiteral("sw_KE") << english << englishMessage;
    QTest::newRow("German") << QStringLiteral("de_DE") << QStringLiteral("Leerzeichen &entfernen")
                            << QStringLiteral("„a b“ konnte nicht in „ab“ umbenannt werden: eine "
                                              "Datei namens „ab“ gibt es bereits.");
    QTest::newRow("German, Austria")
        << QStringLiteral("de_AT") << QStringLiteral("Leerzeichen &entfernen")
        << QStringLiteral("„a b“ konnte nicht in „ab“ umbenannt "
                          "werden: eine Datei namens „ab“ gibt es "
                          "bereits.");
}

void TestForm1::language_followsLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, button);
    QFETCH(QString, message);
    const Translation translation(locale);
    Form1 form(recording());

    QCOMPARE(form.findChild<CommandButton *>(QStringLiteral("Command1"))->text(), button);
    QCOMPARE(UserMessage(RenameError(SystemError{SystemFailure::Exists, {}}, "a b", "ab")), message);
    QSet<QChar> accessKeys;
    for (const char *name : {"Command1", "Check1"}) {
        const QString text =
            form.findChild<QWidget *>(QString::fromLatin1(name))->property("text").toString();
        accessKeys << text.at(text.indexOf(u'&') + 1).toLower();
    }
    QCOMPARE(accessKeys.size(), 2);
}

// What a batch or an undo did, for a report: \a renamed holds "old>new"
// entries; the job was to rename \a total files and, unless \a failedAt is
// empty, failed at the file "old>new" it names, else was stopped.
static RenamingResult result(int total, const QStringList &renamed, const QString &failedAt,
                             RenameLeftover leftover = RenameLeftover::Nothing)
{
    RenamingResult result;
    result.total = total;
    for (const QString &file : renamed)
        result.renamed.push_back(
            {file.section(u'>', 0, 0).toStdString(), file.section(u'>', 1).toStdString(), {}});
    if (failedAt.isEmpty())
        result.stopRequested = static_cast<int>(result.renamed.size()) < total;
    else
        result.failure = std::make_exception_ptr(
            RenameError(SystemError{leftover == RenameLeftover::Nothing
                                        ? SystemFailure::Exists
                                        : SystemFailure::PermissionDenied,
                                    {}},
                        failedAt.section(u'>', 0, 0).toStdString(),
                        failedAt.section(u'>', 1).toStdString(), leftover));
    return result;
}

void TestForm1::reports_tellWhatHappened_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("undo");
    QTest::addColumn<RenamingResult>("done");
    QTest::addColumn<QString>("report");
    // Where an undo worked, when the window shows another folder.
    QTest::addColumn<QString>("folder");
    const QString taken = QStringLiteral(
        "Could not rename \"b c\" to \"bc\": a file named \"bc\" already exists.\n\n");
    QTest::newRow("en/batch/every file renamed")
        << QStringLiteral("en_US") << false << result(2, {"a b>ab", "c>c"}, {}) << QString()
        << QString();
    QTest::newRow("en/batch/failed, names kept before it")
        << QStringLiteral("en_US") << false << result(4, {"aa>aa", "ab>ab"}, "b c>bc")
        << taken + QStringLiteral("Renaming stopped at this file. 2 files held no spaces and "
                                  "kept their names; they are listed. This file and the file "
                                  "after it were left as they were.") << QString();
    QTest::newRow("en/batch/failed at the first file")
        << QStringLiteral("en_US") << false << result(1, {}, "b c>bc")
        << taken + QStringLiteral("Renaming stopped at this file. No file was renamed. This "
                                  "file was left as it was.") << QString();
    QTest::newRow("en/batch/stopped, one renamed and two kept")
        << QStringLiteral("en_US") << false << result(5, {"a>a", "b c>bc", "d>d"}, {})
        << QStringLiteral("Renaming was stopped.\n\n1 file was renamed and 2 kept their names; "
                          "all 3 are listed. 2 files were left as they were.") << QString();
    QTest::newRow("en/batch/stopped, one renamed and one kept")
        << QStringLiteral("en_US") << false << result(4, {"a b>ab", "c>c"}, {})
        << QStringLiteral("Renaming was stopped.\n\n1 file was renamed and 1 kept its name; "
                          "both are listed. 2 files were left as they were.") << QString();
    QTest::newRow("en/batch/stopped, one renamed")
        << QStringLiteral("en_US") << false << result(2, {"b c>bc"}, {})
        << QStringLiteral("Renaming was stopped.\n\n1 file was renamed and is listed. 1 file was "
                          "left as it was.") << QString();
    QTest::newRow("en/undo/stopped")
        << QStringLiteral("en_US") << true << result(3, {"bc>b c"}, {})
        << QStringLiteral("Undoing the renaming was stopped.\n\n1 file got its old name back. 2 "
                          "files keep their new names.") << QString();
    QTest::newRow("en/undo/failed")
        << QStringLiteral("en_US") << true << result(4, {"xy>x y", "de>d e"}, "b c>bc")
        << taken + QStringLiteral("Undoing stopped at this file. The 2 files renamed after it "
                                  "got their old names back. This file and the file renamed "
                                  "before it keep their new names.") << QString();
    const QString bothNames = QStringLiteral(
        "Could not rename \"b c\" to \"bc\": permission was denied. The file now has both "
        "names, \"b c\" and \"bc\"; deleting either name leaves it under the other.\n\n");
    QTest::newRow("en/batch/failed, both names kept")
        << QStringLiteral("en_US") << false
        << result(4, {"a>a"}, "b c>bc", RenameLeftover::BothNames)
        << bothNames + QStringLiteral("Renaming stopped at this file. 1 file held no space and "
                                      "kept its name; it is listed. The 2 files after it were "
                                      "left as they were.") << QString();
    QTest::newRow("en/undo/failed at the last, both names kept")
        << QStringLiteral("en_US") << true
        << result(1, {}, "b c>bc", RenameLeftover::BothNames)
        << bothNames + QStringLiteral("Undoing stopped at this file. No file got its old name "
                                      "back.") << QString();
    QTest::newRow("de/batch/stopped, one renamed and one kept")
        << QStringLiteral("de_DE") << false << result(3, {"a>a", "b c>bc"}, {})
        << QStringLiteral("Das Umbenennen wurde angehalten.\n\n1 Datei wurde umbenannt und 1 "
                          "behielt ihren Namen; beide sind aufgeführt. 1 Datei blieb "
                          "unverändert.") << QString();
    QTest::newRow("de/batch/stopped, many renamed and kept")
        << QStringLiteral("de_DE") << false
        << result(7, {"a>a", "b c>bc", "d>d", "e f>ef"}, {})
        << QStringLiteral("Das Umbenennen wurde angehalten.\n\n2 Dateien wurden umbenannt und 2 "
                          "behielten ihre Namen; alle 4 sind aufgeführt. 3 Dateien blieben "
                          "unverändert.") << QString();
    QTest::newRow("de/undo/failed")
        << QStringLiteral("de_DE") << true << result(3, {"xy>x y"}, "b c>bc")
        << QStringLiteral("„b c“ konnte nicht in „bc“ umbenannt werden: eine Datei namens „bc“ "
                          "gibt es bereits.\n\nDas Rückgängigmachen hielt bei dieser Datei an. "
                          "Die danach umbenannte Datei hat ihren alten Namen zurückbekommen. "
                          "Diese Datei und die davor umbenannte Datei behalten ihre neuen "
                          "Namen.") << QString();
    QTest::newRow("de/undo/failed, both names kept")
        << QStringLiteral("de_DE") << true
        << result(3, {"xy>x y"}, "b c>bc", RenameLeftover::BothNames)
        << QStringLiteral("„b c“ konnte nicht in „bc“ umbenannt werden: die Berechtigung "
                          "wurde verweigert. Die Datei hat jetzt beide Namen, „b c“ und „bc“; wird "
                          "einer davon gelöscht, bleibt sie unter dem anderen.\n\nDas "
                          "Rückgängigmachen hielt bei dieser Datei an. Die danach umbenannte "
                          "Datei hat ihren alten Namen zurückbekommen. Die davor umbenannte "
                          "Datei behält ihren neuen Namen.") << QString();
    const QString trip = QStringLiteral("/photos/trip");
    QTest::newRow("en/undo/stopped in another folder")
        << QStringLiteral("en_US") << true << result(3, {"bc>b c"}, {})
        << QStringLiteral("Undoing the renaming in \"/photos/trip\" was stopped.\n\n1 file got "
                          "its old name back. 2 files keep their new names.")
        << trip;
    QTest::newRow("de/undo/failed in another folder")
        << QStringLiteral("de_DE") << true << result(3, {"xy>x y"}, "b c>bc")
        << QStringLiteral("„b c“ konnte nicht in „bc“ umbenannt werden: eine Datei namens „bc“ "
                          "gibt es bereits.\n\nDas Rückgängigmachen in „/photos/trip“ hielt bei "
                          "dieser Datei an. Die danach umbenannte Datei hat ihren alten Namen "
                          "zurückbekommen. Diese Datei und die davor umbenannte Datei behalten "
                          "ihre neuen Namen.")
        << trip;
}

// Files renamed onto themselves are told apart from those whose names
// changed, and every count takes the language's plural form.
void TestForm1::reports_tellWhatHappened()
{
    QFETCH(QString, locale);
    QFETCH(bool, undo);
    QFETCH(RenamingResult, done);
    QFETCH(QString, report);
    QFETCH(QString, folder);
    const Translation translation(locale);

    QCOMPARE(undo ? UndoReport(done, folder.toStdString()) : BatchReport(done), report);
}

void TestForm1::captions_fitTheirBoxes_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("English") << QStringLiteral("en_US");
    QTest::newRow("German") << QStringLiteral("de_DE");
}

// The window's boxes have fixed sizes; a system whose font is larger than the
// one the window asks for (Arial), or a longer translation, would cut
// captions off or hide the pattern.
void TestForm1::captions_fitTheirBoxes()
{
    if (QFontDatabase::families().isEmpty())
        QSKIP("this platform plugin has no fonts to measure (Qt's offscreen one on Windows)");
    QFETCH(QString, locale);
    const Translation translation(locale);
    Form1 form(recording());
    const auto *check1 = form.findChild<CheckBox *>(QStringLiteral("Check1"));
    const QStyle *style = check1->style();
    const int indicator = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, check1) +
                          style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, check1);
    const std::pair<const char *, int> captions[] = {{"Check1", indicator}, {"Label1", 0}};
    for (const auto &[name, besideText] : captions) {
        const auto *control = form.findChild<QWidget *>(QString::fromLatin1(name));
        const QString text = control->property("text").toString().remove(u'&');
        QVERIFY2(control->fontMetrics().horizontalAdvance(text) + besideText <= control->width(),
                 name);
    }
    const auto *pattern = form.findChild<TextBox *>(QStringLiteral("txtPattern"));
    const int frame = pattern->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, pattern);
    QVERIFY(pattern->fontMetrics().height() <= pattern->height() - 2 * frame);
}

void TestForm1::errorBox_wrapsLongNamesAndPaths_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("long name") << QString(200, u'x');
    QTest::newRow("long Windows path") << QStringLiteral("\\folder").repeated(30);
    QTest::newRow("characters beyond 16 bits") << QStringLiteral("\U0001F4F7").repeated(100);
    QTest::newRow("no-break space and line separator") << QStringLiteral(u"a\u00A0b\u2028c");
}

// The box shows the message itself, all of it in view, and gives a screen
// reader and a copy each of its characters as they are.
void TestForm1::errorBox_wrapsLongNamesAndPaths()
{
    QFETCH(QString, name);
    const QString message =
        QStringLiteral("Could not rename \"%1\": permission was denied.").arg(name);
    Form1 form(recording());
    const std::unique_ptr<QMessageBox> box = MakeErrorBox(&form, message);
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));

    auto *shown = box->findChild<QTextEdit *>();
    QVERIFY(shown != nullptr && shown->isVisible());
    for (const QLabel *label : box->findChildren<QLabel *>())
        QVERIFY(!label->isVisible() || label->text().isEmpty());
    const QSizeF text = shown->document()->size();
    QVERIFY2(text.width() <= shown->viewport()->width() &&
                 text.height() <= shown->viewport()->height(),
             qPrintable(QStringLiteral("%1x%2 text in a %3x%4 box")
                            .arg(text.width())
                            .arg(text.height())
                            .arg(shown->viewport()->width())
                            .arg(shown->viewport()->height())));
    QVERIFY(box->width() <= box->screen()->availableGeometry().width());
    QCOMPARE(box->text(), message);
    const QAccessibleTextInterface *read =
        QAccessible::queryAccessibleInterface(shown)->textInterface();
    QCOMPARE(read->text(0, read->characterCount()), message);
    shown->selectAll();
    shown->copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), message);
}

// What a screen reader announces: the window as a window, each control by a
// name of its own, and the pattern box by its label too.
void TestForm1::screenReader_namesWindowAndEveryControl()
{
    Form1 form(recording());
    QCOMPARE(QAccessible::queryAccessibleInterface(&form)->role(), QAccessible::Window);
    QStringList names;
    for (QWidget *control : form.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (control->focusPolicy() == Qt::NoFocus)
            continue; // the label, which names the pattern box
        names << QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
        QVERIFY2(!names.back().isEmpty(), qPrintable(control->objectName()));
    }
    QCOMPARE(names.size(), 7);
    QCOMPARE(names.removeDuplicates(), 0);
    const auto labels = QAccessible::queryAccessibleInterface(
                            form.findChild<TextBox *>(QStringLiteral("txtPattern")))
                            ->relations(QAccessible::Label);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.front().first->text(QAccessible::Name), QStringLiteral("Pattern:"));
}

// A list with no entries, or whose current entry is selected, must still
// show that the Tab key brought the keyboard focus to it.
void TestForm1::focus_visibleInEveryList()
{
    Form1 form(recording());
    QVERIFY(showAndRead(form));
    for (const char *name : {"Dir1", "File1", "List1"}) {
        auto *list = form.findChild<QAbstractItemView *>(QString::fromLatin1(name));
        form.findChild<CommandButton *>(QStringLiteral("Command1"))->setFocus();
        const QImage unfocused = list->grab().toImage();
        for (int step = 0; step < 8 && !list->hasFocus(); ++step)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY2(list->hasFocus(), name);
        QVERIFY2(list->grab().toImage() != unfocused, name);
    }
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
