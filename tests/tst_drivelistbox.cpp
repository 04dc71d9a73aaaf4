#include "dirlistbox.h"
#include "drivelistbox.h"
#include "folderpath.h"
#include "nativepath.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>

using quillet::DriveListBox;

class TestDriveListBox : public QObject
{
    Q_OBJECT

private slots:
    void volumeHolding_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("expected");
        QTest::newRow("root/itself") << "/" << 0;
        QTest::newRow("root/below") << "/home/me" << 0;
        QTest::newRow("mount/itself") << "/media/usb" << 1;
        QTest::newRow("mount/below") << "/media/usb/photos" << 1;
        QTest::newRow("mount/name-prefix-is-not-below") << "/media/usb2/photos" << 0;
        QTest::newRow("nested/deepest-wins") << "/media/usb/inner/x" << 2;
        QTest::newRow("drive-letter/below") << "C:/Users" << 3;
        QTest::newRow("none/not-absolute") << "." << -1;
    }
    void volumeHolding()
    {
        QFETCH(QString, folder);
        QFETCH(int, expected);
        const std::vector<std::string> roots{"/", "/media/usb", "/media/usb/inner", "C:/"};
        QCOMPARE(quillet::VolumeHolding(roots, folder.toStdString()), expected);
    }

    // An entry shows where the volume is and its label; what it hands on is
    // its root alone.
    void entry_showsNameAndLabelButHandsOnRoot_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::newRow("labelled") << QStringLiteral("USB STICK")
                                  << QStringLiteral("/media/usb  [USB STICK]");
        QTest::newRow("unlabelled") << QString() << QStringLiteral("/media/usb");
    }
    void entry_showsNameAndLabelButHandsOnRoot()
    {
        QFETCH(QString, label);
        QFETCH(QString, text);
        DriveListBox drives({{"/", QStringLiteral("/"), QString()},
                             {"/media/usb", QStringLiteral("/media/usb"), label}});

        drives.setCurrentIndex(1);

        QCOMPARE(drives.currentText(), text);
        QCOMPARE(drives.Drive(), std::string("/media/usb"));
    }

    void eachDrive_pickedWhenCurrentAndOpensInFolderList()
    {
        const DriveListBox drives;
        const QString home = QDir::currentPath();
        const auto restore = qScopeGuard([&] { QDir::setCurrent(home); });
        QByteArrayList roots;
        for (int i = 0; i < drives.count(); ++i) {
            roots << drives.itemData(i).toByteArray();
            std::filesystem::current_path(quillet::NativePath(roots.back().toStdString()));
            const DriveListBox started;
            quillet::DirListBox folders;
            folders.SetPath(started.Drive());
            QCOMPARE(QByteArray::fromStdString(started.Drive()), roots.back());
            QCOMPARE(QByteArray::fromStdString(folders.Path()), roots.back());
        }
        QVERIFY2(roots.contains(QByteArray::fromStdString(quillet::FallbackFolder())),
                 roots.join(' ').constData());
        for (const char *pseudo : {"/proc", "/sys", "/dev", "/dev/pts", "/sys/fs/cgroup"}) {
            QVERIFY2(!roots.contains(pseudo), roots.join(' ').constData());
        }
    }

    void change_onlyWhenUserPicks()
    {
        DriveListBox drives;
        drives.show();
        QVERIFY(QTest::qWaitForWindowExposed(&drives));
        QSignalSpy changes(&drives, &DriveListBox::Change);

        drives.setCurrentIndex(drives.count() - 1);
        QCOMPARE(changes.count(), 0);
        drives.showPopup();
        QTest::keyClick(drives.view(), Qt::Key_Return);
        QCOMPARE(changes.count(), 1);
    }
};

QTEST_MAIN(TestDriveListBox)
#include "tst_drivelistbox.moc"
