#include "volumes_posix.h"

#include <QTest>

using quillet::MountedFileSystem;
using Mounts = std::vector<MountedFileSystem>;

Q_DECLARE_METATYPE(Mounts)

// Which of the system's mounts the drive list offers, whatever this
// machine's own mounts are.
class TestVolumesPosix : public QObject
{
    Q_OBJECT

private slots:
    void volumesAmong_data()
    {
        QTest::addColumn<Mounts>("mounts");
        QTest::addColumn<QStringList>("offered");

        const MountedFileSystem root{"/", "ext4"};
        const MountedFileSystem stick{"/media/usb", "vfat"};
        QTest::newRow("root and a stick") << Mounts{stick, root} << QStringList{"/", "/media/usb"};
        QTest::newRow("root not reported") << Mounts{stick} << QStringList{"/", "/media/usb"};
        QTest::newRow("root as overlay") << Mounts{{"/", "overlay"}} << QStringList{"/"};
        QTest::newRow("made up by the kernel")
            << Mounts{root,
                      {"/proc", "proc"},
                      {"/sys", "sysfs"},
                      {"/dev/pts", "devpts"},
                      {"/sys/fs/cgroup", "cgroup2"}}
            << QStringList{"/"};
        QTest::newRow("in memory or in an image")
            << Mounts{root, {"/run", "tmpfs"}, {"/run/user/1000", "tmpfs"}, {"/snap/core/1", "squashfs"}}
            << QStringList{"/"};
        QTest::newRow("mounted over: listed once")
            << Mounts{root, stick, {"/media/usb", "exfat"}} << QStringList{"/", "/media/usb"};
    }
    void volumesAmong()
    {
        QFETCH(Mounts, mounts);
        QFETCH(QStringList, offered);

        QStringList volumes;
        for (const quillet::Volume &volume : quillet::VolumesAmong(mounts)) {
            QCOMPARE(QString::fromStdString(volume.root), volume.name);
            volumes << volume.name;
        }
        QCOMPARE(volumes, offered);
    }
};

QTEST_GUILESS_MAIN(TestVolumesPosix)
#include "tst_volumes_posix.moc"
