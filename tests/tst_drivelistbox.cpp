#include "dirlistbox.h"
#include "drivelistbox.h"
#include "foldermodel.h"
#include "services.h"
#include "folderpath.h"
#include "nativepath.h"
#include "testutil.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>
#include <future>

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

    // An entry shows where the volume is and, once the volume has answered,
    // its label; what it hands on is its root alone. A volume that never
    // answers can still be picked.
    void entry_showsNameAndLabelOnceAnswered_data()
    {
        QTest::addColumn<QString>("answer"); // "hang", "none", or the label
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<bool>("picked"); // the volume asked about, before it answers
        const QString usb = QStringLiteral("/media/usb");
        QTest::newRow("labelled") << QStringLiteral("USB STICK")
                                  << QStringList{QStringLiteral("/"), usb + "  [USB STICK]"}
                                  << false;
        QTest::newRow("unlabelled") << QString() << QStringList{QStringLiteral("/"), usb} << false;
        QTest::newRow("not worth offering") << QStringLiteral("none") << QStringList{"/"} << false;
        QTest::newRow("not worth offering, but picked")
            << QStringLiteral("none") << QStringList{"/", usb} << true;
        QTest::newRow("never answers") << QStringLiteral("hang") << QStringList{"/", usb} << false;
    }
    void entry_showsNameAndLabelOnceAnswered()
    {
        QFETCH(QString, answer);
        QFETCH(QStringList, entries);
        QFETCH(bool, picked);
        std::promise<void> released;
        const auto asker = [answer, wait = released.get_future().share()](
                               const std::string &root) -> std::optional<QString> {
                if (root == "/")
                    return QString();
                if (answer == QLatin1String("hang"))
                    wait.wait();
                if (answer == QLatin1String("none"))
                    return std::nullopt;
                return answer;
        };
        const auto restore = qScopeGuard([&] { released.set_value(); });
        DriveListBox drives(testutil::volumesAt({"/", "/media/usb"}));
        if (picked)
            drives.setCurrentIndex(1);
        drives.AskVolumes(asker);

        const auto shown = [&drives] {
            QStringList texts;
            for (int i = 0; i < drives.count(); ++i)
                texts << drives.itemText(i);
            return texts;
        };
        QTRY_COMPARE(shown(), entries);
        QTest::qWait(50); // any answer yet to come would arrive now
        QCOMPARE(shown(), entries);
        drives.setCurrentIndex(drives.count() - 1);
        QCOMPARE(drives.Drive(), entries.size() == 1 ? "/" : std::string("/media/usb"));
    }

    // A screen reader names the box by the name the window gives it, reads the
    // picked drive as its value, finds every drive in the list it drops down,
    // and can drop that list down and close it again.
    void screenReader_namesBoxAndFindsDrives()
    {
        DriveListBox drives(testutil::volumesAt({"/", "/media/usb"}));
        drives.setAccessibleName(QStringLiteral("Drive"));
        drives.show();
        QVERIFY(QTest::qWaitForWindowExposed(&drives));
        QAccessibleInterface *box = QAccessible::queryAccessibleInterface(&drives);

        QCOMPARE(box->role(), QAccessible::ComboBox);
        QCOMPARE(box->text(QAccessible::Name), QStringLiteral("Drive"));
        QCOMPARE(box->text(QAccessible::Value), drives.currentText());
        QAccessibleInterface *list = box->child(0);
        QVERIFY(list);
        QCOMPARE(box->indexOfChild(list), 0);
        QCOMPARE(list->childCount(), drives.count());
        QCOMPARE(list->child(drives.count() - 1)->text(QAccessible::Name),
                 drives.itemText(drives.count() - 1));

        QAccessibleActionInterface *actions = box->actionInterface();
        actions->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(drives.view()->isVisible());
        actions->doAction(QAccessibleActionInterface::showMenuAction());
        QTRY_VERIFY(!drives.view()->isVisible());
    }

    // The drives are folders the test makes, not the machine's own mounts,
    // which other programs mount and unmount meanwhile.
    void eachDrive_pickedWhenCurrentAndOpensInFolderList()
    {
        const testutil::TempFolder dir;
        QVERIFY(dir.isValid());
        const std::string stick = testutil::join(dir.path(), "stick");
        const std::string inner = testutil::join(stick, "inner");
        std::filesystem::create_directories(quillet::NativePath(inner));
        const auto drives = testutil::volumesAt({quillet::FallbackFolder(), stick, inner});
        const QString home = QDir::currentPath();
        const auto restore = qScopeGuard([&] { QDir::setCurrent(home); });
        for (const quillet::Volume &drive : drives) {
            std::filesystem::current_path(quillet::NativePath(drive.root));
            const DriveListBox started(drives);
            quillet::FolderModel model{quillet::Services().readFolder};
            quillet::DirListBox folders;
            folders.ShowFolders(model);
            folders.SetPath(started.Drive());
            QCOMPARE(started.Drive(), drive.root);
            QCOMPARE(folders.Path(), drive.root);
        }
    }

    void change_onlyWhenUserPicks()
    {
        DriveListBox drives(testutil::volumesAt({"/", "/media/usb"}));
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
