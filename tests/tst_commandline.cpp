#include "commandline.h"
#include "dirlistbox.h"
#include "drivelistbox.h"
#include "eventhandler.h"
#include "filelistbox.h"
#include "folderpath.h"
#include "folderreader.h"
#include "form1.h"
#include "messages.h"
#include "startfolder.h"

#include "testutil.h"

#include <QProcess>
#include <QTest>
#include <QTranslator>

#include <optional>

using namespace quillet;

namespace {

// \a path with "<root>" replaced by \a root and '/' written as the system's
// separator.
std::string expand(QByteArray path, const std::string &root)
{
    path.replace('/', testutil::separator());
    path.replace("<root>", QByteArray::fromStdString(root));
    return path.toStdString();
}

// The arguments Quillet reads when started with \a bytes as its one argument.
QStringList startedWith(const std::string &bytes)
{
    if (testutil::namesAreBytes()) {
        std::string program = "quillet";
        std::string argument = bytes;
        char *argv[] = {program.data(), argument.data(), nullptr};
        return ProgramArguments(2, argv);
    }
    // Windows hands the arguments over as UTF-16; Qt takes them from there.
    return {QStringLiteral("quillet"), QString::fromStdWString(NativePath(bytes).wstring())};
}

struct Run
{
    int exitCode = -1;
    QString output;
    QString errors;
};

// Runs Quillet with \a arguments. It has no display: \a platform is the only
// one it may use. A program that shows a window and waits is killed.
Run runQuillet(const QStringList &arguments, const QString &platform, const QString &language)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    environment.insert(QStringLiteral("LANG"), language);
    QProcess quillet;
    quillet.setProcessEnvironment(environment);
    quillet.start(QStringLiteral(QUILLET_EXECUTABLE), arguments);
    if (!quillet.waitForFinished(30000)) {
        quillet.kill();
        quillet.waitForFinished();
        return {};
    }
    return {quillet.exitStatus() == QProcess::NormalExit ? quillet.exitCode() : -1,
            QString::fromLocal8Bit(quillet.readAllStandardOutput()),
            QString::fromLocal8Bit(quillet.readAllStandardError())};
}

// What the user is told when \a folder, named on the command line, is read.
QString readingFailure(const std::string &folder)
{
    try {
        ReadFolder(folder);
    } catch (const FolderError &error) {
        return UnseenFolderMessage(error);
    }
    return QStringLiteral("(read without failure)");
}

// What `--help` says of the folder argument in \a locale's language.
QString folderHelpIn(const QString &locale)
{
    QTranslator translator;
    if (!translator.load(QLocale(locale), QStringLiteral("quillet"), QStringLiteral("_"),
                         QStringLiteral(QUILLET_TRANSLATIONS_DIR)))
        return CommandLineHelpTexts().folderDescription;
    QCoreApplication::installTranslator(&translator);
    const QString text = CommandLineHelpTexts().folderDescription;
    QCoreApplication::removeTranslator(&translator);
    return text;
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void folderArgument_opensThatFolder_data();
    void folderArgument_opensThatFolder();
    void noArgument_startsInCurrentFolder();
    void textRequests_printAndEndWithoutWindow_data();
    void textRequests_printAndEndWithoutWindow();

private:
    std::optional<testutil::TempFolder> m_root;
    std::filesystem::path m_previousFolder;
    QStringList m_errors;
    /// The real services, but errors are recorded in m_errors, and the
    /// drive list offers the root and the test's folder alone.
    Services recording()
    {
        Services services = testutil::ownVolumes({m_root->path()});
        services.reportError = [this](QWidget *, const QString &message,
                                      const std::optional<ErrorAction> &) { m_errors << message; };
        return services;
    }
};

void TestCommandLine::init()
{
    // Relative paths are read against the current folder: make that a known one.
    QVERIFY(m_root.emplace().isValid());
    m_previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(NativePath(m_root->path()));
    m_errors.clear();
}

void TestCommandLine::cleanup()
{
    SetStartFolder({}, {});
    std::filesystem::current_path(m_previousFolder);
    m_root.reset();
}

void TestCommandLine::folderArgument_opensThatFolder_data()
{
    QTest::addColumn<QByteArray>("argument");
    // The folder the window shows, or empty for the fallback one.
    QTest::addColumn<QByteArray>("shown");
    // The folder the window says it could not read, if any, and the words it
    // says why in, where they are the same on every system.
    QTest::addColumn<QByteArray>("unreadable");
    QTest::addColumn<QByteArray>("reason");

    const QByteArray photos = "<root>/Photos";
    QTest::newRow("folder/absolute") << photos << photos << QByteArray() << QByteArray();
    QTest::newRow("folder/relative")
        << QByteArray("Photos") << photos << QByteArray() << QByteArray();
    QTest::newRow("folder/relative with dots")
        << QByteArray("./Photos/../Photos/") << photos << QByteArray() << QByteArray();
    QTest::newRow("file/absolute")
        << QByteArray("<root>/Photos/a b.JPG") << photos << QByteArray() << QByteArray();
    QTest::newRow("file/relative")
        << QByteArray("Photos/a b.JPG") << photos << QByteArray() << QByteArray();
    const QByteArray raw = "<root>/Fotos " + QByteArray::fromStdString(testutil::rawNamePart());
    QTest::newRow("folder/name only the system can read")
        << raw << raw << QByteArray() << QByteArray();
    // Named only, never listed: a missing folder may never have been.
    QTest::newRow("failure/missing folder")
        << QByteArray("Photso") << QByteArray() << QByteArray("<root>/Photso")
        << QByteArray("it does not exist");
    QTest::newRow("failure/path through a file")
        << QByteArray("Photos/a b.JPG/sub") << QByteArray()
        << QByteArray("<root>/Photos/a b.JPG/sub") << QByteArray();
    if (!testutil::namesAreBytes()) {
        // Explorer passes a drive's root as "C:\", whose backslash escapes
        // the closing quote: it arrives as C:" .
        const QByteArray drive = QDir::tempPath().left(2).toUtf8();
        QTest::newRow("folder/drive root as Explorer quotes it")
            << drive + '"' << drive + '\\' << QByteArray() << QByteArray();
    }
}

void TestCommandLine::folderArgument_opensThatFolder()
{
    QFETCH(QByteArray, argument);
    QFETCH(QByteArray, shown);
    QFETCH(QByteArray, unreadable);
    QFETCH(QByteArray, reason);
    const std::string &root = m_root->path();
    const std::string photos = testutil::join(root, "Photos");
    const std::string rawFotos = testutil::join(root, "Fotos " + testutil::rawNamePart());
    for (const std::string &folder : {photos, rawFotos}) {
        std::filesystem::create_directory(NativePath(folder));
        testutil::populate(folder, "a b.JPG=; c.JPG=; d.txt=");
    }

    const std::optional<std::string> folder = ReadCommandLine(startedWith(expand(argument, root)));
    QVERIFY(folder.has_value());
    SetStartFolder(*folder, Services().findFolder);
    Form1 form(recording());
    form.show();
    const auto *dir1 = form.findChild<DirListBox *>(QStringLiteral("Dir1"));
    const auto *file1 = form.findChild<FileListBox *>(QStringLiteral("File1"));
    const auto *drive1 = form.findChild<DriveListBox *>(QStringLiteral("Drive1"));

    const std::string expected = shown.isEmpty() ? FallbackFolder() : expand(shown, root);
    QTRY_COMPARE(dir1->Path(), expected);
    QCOMPARE(file1->Path(), expected);
    QVERIFY(testutil::readDone(*dir1));
    QVERIFY(testutil::readDone(*file1));
    if (unreadable.isEmpty()) {
        QVERIFY2(expected.starts_with(drive1->Drive()), drive1->Drive().c_str());
        if (expected.starts_with(root))
            QCOMPARE(testutil::listed(*file1), (std::vector<std::string>{"a b.JPG", "c.JPG"}));
        QTest::qWait(0);
        QCOMPARE(m_errors, QStringList());
    } else {
        QTRY_COMPARE(m_errors.size(), 1);
        QVERIFY2(m_errors.first().startsWith(readingFailure(expand(unreadable, root))) &&
                     (reason.isEmpty() ||
                      m_errors.first().contains(QString::fromUtf8(": " + reason + '.'))),
                 qPrintable(m_errors.first()));
    }
}

void TestCommandLine::noArgument_startsInCurrentFolder()
{
    QCOMPARE(ReadCommandLine({QStringLiteral("quillet")}), std::nullopt);
    Form1 form(recording());
    QCOMPARE(form.findChild<DirListBox *>(QStringLiteral("Dir1"))->Path(), m_root->path());
    QCOMPARE(form.findChild<FileListBox *>(QStringLiteral("File1"))->Path(), m_root->path());
}

void TestCommandLine::textRequests_printAndEndWithoutWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    // A platform that cannot start shows that no window was made.
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("errors");

    const QString none = QStringLiteral("unavailable");
    const QString english = QStringLiteral("en_US.UTF-8");
    QTest::newRow("version") << QStringList{QStringLiteral("--version")} << none << english << 0
                             << QStringLiteral("Quillet " QUILLET_VERSION) << QString();
    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << none << english << 0
                          << folderHelpIn(QStringLiteral("en_US")) << QString();
    QTest::newRow("help/German") << QStringList{QStringLiteral("-h")} << none
                                 << QStringLiteral("de_DE.UTF-8") << 0
                                 << folderHelpIn(QStringLiteral("de_DE")) << QString();
    QTest::newRow("version after a folder")
        << QStringList{QStringLiteral("Photos"), QStringLiteral("-v")} << none << english << 0
        << QStringLiteral("Quillet " QUILLET_VERSION) << QString();
    QTest::newRow("wrong/unknown option") << QStringList{QStringLiteral("--bogus")} << none
                                          << english << 1 << QString() << QStringLiteral("bogus");
    QTest::newRow("wrong/two folders")
        << QStringList{QStringLiteral("Photos"), QStringLiteral("Fotos")} << none << english << 1
        << QString() << TooManyFoldersMessage();
}

void TestCommandLine::textRequests_printAndEndWithoutWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, platform);
    QFETCH(QString, language);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, errors);

    const Run run = runQuillet(arguments, platform, language);

    QCOMPARE(run.exitCode, exitCode);
    // Help wraps long lines as the terminal is wide.
    QVERIFY2(run.output.simplified().contains(output.simplified()), qPrintable(run.output));
    QVERIFY2(run.errors.contains(errors), qPrintable(run.errors));
    // A wrong line is shown how it should look.
    QCOMPARE(run.errors.contains(QStringLiteral("[options] [FOLDER]")), exitCode != 0);
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
