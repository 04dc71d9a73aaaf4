#include "messages.h"
#include "namefile.h"
#include "renameerror.h"
#include "widetext_windows.h"

#include "testutil.h"

#include <QTest>

#include <windows.h>

using namespace Qt::StringLiterals;
using quillet::LongPath;
using quillet::ToWide;
using testutil::join;

namespace {

std::wstring wide(const std::string &path)
{
    return LongPath(ToWide(path).value());
}

// Creates the file \a path holding \a content, through a "\\?\" path so that
// neither its length nor its name is held against it.
bool makeFile(const std::string &path, const std::string &content, DWORD attributes = 0)
{
    const HANDLE file = ::CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      attributes | FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool wrote = ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()),
                                   &written, nullptr) != 0;
    ::CloseHandle(file);
    return wrote && written == content.size();
}

// The content of the file \a path, or "<missing>".
std::string contentOf(const std::string &path)
{
    const HANDLE file = ::CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string content(64, '\0');
    DWORD read = 0;
    ::ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr);
    ::CloseHandle(file);
    content.resize(read);
    return content;
}

// The message of the RenameError that renaming \a from to \a to in \a folder
// raises; empty when the rename succeeds.
QByteArray renameIn(const std::string &folder, const std::string &from, const std::string &to)
{
    return testutil::nameFileMessage(folder, QByteArray::fromStdString(from),
                                     QByteArray::fromStdString(to));
}

} // namespace

// What the rename service must do on Windows beyond what every system does.
class TestNameFileWindows : public QObject
{
    Q_OBJECT

private slots:
    void nameFile_data()
    {
        QTest::addColumn<std::string>("oldName");
        QTest::addColumn<std::string>("newName");
        QTest::addColumn<std::string>("other"); // a file there beforehand
        QTest::addColumn<DWORD>("attributes");  // of the file to rename
        QTest::addColumn<QByteArray>("reason"); // empty when the rename succeeds
        const auto row = [](const char *tag, const std::string &oldName, const std::string &newName,
                            const std::string &other, DWORD attributes, const QByteArray &reason) {
            QTest::newRow(tag) << oldName << newName << other << attributes << reason;
        };
        const QByteArray dot =
            "Windows programs could neither open nor delete a file whose name ends in a dot";
        row("taken/same letters", "a b.jpg", "ab.jpg", "ab.jpg", 0,
            R"(a file named "ab.jpg" already exists)");
        row("taken/other case", "a b.jpg", "ab.jpg", "AB.JPG", 0,
            R"(a file named "ab.jpg" already exists)");
        row("taken/read-only", "a b.jpg", "ab.jpg", "ab.jpg", FILE_ATTRIBUTE_READONLY,
            R"(a file named "ab.jpg" already exists)");
        row("renamed/read-only file", "a b.jpg", "ab.jpg", {}, FILE_ATTRIBUTE_READONLY, {});
        row("renamed/lone surrogate", "a\xed\xa0\x80 b",
            "a\xed\xa0\x80"
            "b",
            {}, 0, {});
        row("renamed/astral and lone", "\xf0\x9f\x93\xb7 \xed\xb0\x80",
            "\xf0\x9f\x93\xb7\xed\xb0\x80", {}, 0, {});
        row("renamed/device name inside", "CONSOLE .txt", "CONSOLE.txt", {}, 0, {});
        row("renamed/device name later", "a.CON .txt", "a.CON.txt", {}, 0, {});
        row("refused/ends in a dot", "photo .", "photo.", {}, 0, dot);
        row("refused/device", "CON .txt", "CON.txt", {}, 0,
            R"("CON" is a device name that Windows reserves)");
        row("refused/device in lower case", "lpt9 .tar.gz", "lpt9.tar.gz", {}, 0,
            R"("lpt9" is a device name that Windows reserves)");
        row("refused/device alone", "nul ", "nul", {}, 0,
            R"("nul" is a device name that Windows reserves)");
        row("refused/device superscript", "COM\xc2\xb9 .a", "COM\xc2\xb9.a", {}, 0,
            "\"COM\xc2\xb9\" is a device name that Windows reserves");
    }

    void nameFile()
    {
        QFETCH(std::string, oldName);
        QFETCH(std::string, newName);
        QFETCH(std::string, other);
        QFETCH(DWORD, attributes);
        QFETCH(QByteArray, reason);
        const testutil::TempFolder dir;
        QVERIFY(dir.isValid());
        const std::string &folder = dir.path();
        if (!makeFile(join(folder, oldName), "ours", attributes)) {
            if (oldName.find("\xed") != std::string::npos)
                QSKIP("this file system takes no lone surrogates in names (Wine's cannot)");
            QFAIL("the file to rename could not be made");
        }
        if (!other.empty())
            QVERIFY(makeFile(join(folder, other), "theirs"));

        const QByteArray message = renameIn(folder, oldName, newName);

        const bool renamed = reason.isEmpty();
        QCOMPARE(message, renamed ? QByteArray()
                                  : "Could not rename \"" + QByteArray::fromStdString(oldName) +
                                        "\" to \"" + QByteArray::fromStdString(newName) +
                                        "\": " + reason + '.');
        QCOMPARE(contentOf(join(folder, renamed ? newName : oldName)), std::string("ours"));
        if (!other.empty())
            QCOMPARE(contentOf(join(folder, other)), std::string("theirs"));
        std::vector<std::string> expected{renamed ? newName : oldName};
        if (!other.empty())
            expected.push_back(other);
        std::sort(expected.begin(), expected.end());
        QCOMPARE(testutil::folderNames(folder), expected);
    }

    // Windows' old limit of 260 characters holds only for paths without the
    // "\\?\" prefix, which the service adds.
    void nameFile_pathLongerThan260_renames()
    {
        const testutil::TempFolder dir;
        QVERIFY(dir.isValid());
        std::string folder = dir.path();
        while (folder.size() < 300) {
            folder = join(folder, std::string(60, 'd'));
            QVERIFY(::CreateDirectoryW(wide(folder).c_str(), nullptr));
        }
        QVERIFY(makeFile(join(folder, "a b.jpg"), "ours"));

        QCOMPARE(renameIn(folder, "a b.jpg", "ab.jpg"), QByteArray());
        QCOMPARE(contentOf(join(folder, "ab.jpg")), std::string("ours"));
        QCOMPARE(contentOf(join(folder, "a b.jpg")), std::string("<missing>"));
    }
};

QTEST_GUILESS_MAIN(TestNameFileWindows)
#include "tst_namefile_windows.moc"
