#include "volumes_posix.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Which mounts of a mount table the drive list offers. Each row writes a
// table of its own: the machine's own mounts are not the test's, and come
// and go as other programs mount and unmount.
class TestVolumesPosix : public QObject
{
    Q_OBJECT

private slots:
    void volumesInMountTable_data()
    {
        QTest::addColumn<QByteArray>("table"); // null: there is no table
        QTest::addColumn<QStringList>("offered");

        const QByteArray root = "/dev/sda1 / ext4 rw,relatime 0 0\n";
        const QByteArray stick = "/dev/sdb1 /media/usb vfat rw,nosuid,nodev 0 0\n";
        QTest::newRow("root and a stick") << stick + root << QStringList{"/", "/media/usb"};
        QTest::newRow("root not reported") << stick << QStringList{"/", "/media/usb"};
        QTest::newRow("root as overlay")
            << QByteArray("overlay / overlay rw,lowerdir=/l,upperdir=/u,workdir=/w 0 0\n")
            << QStringList{"/"};
        QTest::newRow("made up by the kernel")
            << root + "proc /proc proc rw 0 0\nsysfs /sys sysfs rw 0 0\n"
                      "devpts /dev/pts devpts rw 0 0\ncgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
            << QStringList{"/"};
        QTest::newRow("in memory or in an image")
            << root + "tmpfs /run tmpfs rw 0 0\ntmpfs /run/user/1000 tmpfs rw 0 0\n"
                      "/dev/loop3 /snap/core/1 squashfs ro 0 0\n"
            << QStringList{"/"};
        QTest::newRow("mounted over: listed once")
            << root + stick + "/dev/sdc1 /media/usb exfat rw 0 0\n"
            << QStringList{"/", "/media/usb"};
        QTest::newRow("blanks in a mount point")
            << root + "/dev/sdb1 /media/my\\040stick\\011two vfat rw 0 0\n"
                      "me@host:/ /home/me/far\\134away fuse.sshfs rw 0 0\n"
            << QStringList{"/", "/home/me/far\\away", "/media/my stick\ttwo"};
        QTest::newRow("no table") << QByteArray() << QStringList{"/"};
    }
    void volumesInMountTable()
    {
        QFETCH(QByteArray, table);
        QFETCH(QStringList, offered);
        const QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile file(dir.filePath(QStringLiteral("mounts")));
        if (!table.isNull())
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(table) == table.size());
        file.close();

        QStringList volumes;
        for (const quillet::Volume &volume :
             quillet::VolumesInMountTable(QFile::encodeName(file.fileName()).toStdString())) {
            QCOMPARE(QString::fromStdString(volume.root), volume.name);
            volumes << volume.name;
        }
        QCOMPARE(volumes, offered);
    }
};

QTEST_GUILESS_MAIN(TestVolumesPosix)
#include "tst_volumes_posix.moc"
