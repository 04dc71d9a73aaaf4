#include "folderpath.h"

#include "testutil.h"

#include <QTest>

using namespace Qt::StringLiterals;

// How the folder list reads the paths Windows users and programs write.
class TestFolderPathWindows : public QObject
{
    Q_OBJECT

private slots:
    void splitFolderPath_data()
    {
        // CURRENT stands for the current folder, DRIVE for its drive ("C:").
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("drive/letter alone") << "D:"_ba
                                            << "D:\\"_ba;
        QTest::newRow("drive/root") << "D:\\"_ba
                                    << "D:\\"_ba;
        QTest::newRow("drive/lower case") << "d:\\Photos"_ba
                                          << "D:\\Photos"_ba;
        QTest::newRow("drive/forward slashes") << "D:/Photos//2024/"_ba
                                               << "D:\\Photos\\2024"_ba;
        QTest::newRow("drive/without separator") << "D:Photos"_ba
                                                 << "D:\\Photos"_ba;
        QTest::newRow("drive/parent of root") << "D:\\..\\.."_ba
                                              << "D:\\"_ba;
        QTest::newRow("long/drive") << "\\\\?\\D:\\Photos"_ba
                                    << "D:\\Photos"_ba;
        QTest::newRow("share/plain") << "\\\\server\\share\\a\\..\\b"_ba
                                     << "\\\\server\\share\\b"_ba;
        QTest::newRow("share/long") << "\\\\?\\UNC\\server\\share\\b"_ba
                                    << "\\\\server\\share\\b"_ba;
        QTest::newRow("share/root") << "//server/share"_ba
                                    << "\\\\server\\share\\"_ba;
        QTest::newRow("current/relative") << "a\\b"_ba
                                          << "CURRENT\\a\\b"_ba;
        QTest::newRow("current/drive root") << "\\Photos"_ba
                                            << "DRIVE\\Photos"_ba;
    }

    void splitFolderPath()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        const QByteArray current =
            QByteArray::fromStdString(quillet::PathBytes(std::filesystem::current_path()));
        expected.replace("CURRENT", current).replace("DRIVE", current.left(2));

        const quillet::FolderPathParts parts = quillet::SplitFolderPath(input.toStdString());

        QCOMPARE(QByteArray::fromStdString(quillet::JoinFolderPath(parts)), expected);
    }
};

QTEST_GUILESS_MAIN(TestFolderPathWindows)
#include "tst_folderpath_windows.moc"
