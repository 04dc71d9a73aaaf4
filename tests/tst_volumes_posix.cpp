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

        const MountedFileSystem root{"/", "ext4", {}, true};
        const MountedFileSystem stick{"/media/usb", "vfat", QStringLiteral("STICK"), true};
        QTest::newRow("root and a stick")
            << Mounts{stick, root} << QStringList{"/", "/media/usb STICK"};
        QTest::newRow("root not reported") << Mounts{stick} << QStringList{"/", "/media/usb STICK"};
        QTest::newRow("root as overlay") << Mounts{{"/", "overlay", {}, true}} << QStringList{"/"};
        QTest::newRow("made up by the kernel") << Mounts{root,
                                                         {"/proc", "proc", {}, true},
                                                         {"/sys", "sysfs", {}, true},
                                                         {"/dev/pts", "devpts", {}, true},
                                                         {"/sys/fs/cgroup", "cgroup2", {}, true}}
                                               << QStringList{"/"};
        QTest::newRow("in memory or in an image") << Mounts{root,
                                                            {"/run", "tmpfs", {}, true},
                                                            {"/run/user/1000", "tmpfs", {}, true},
                                                            {"/snap/core/1", "squashfs", {}, true}}
                                                  << QStringList{"/"};
        QTest::newRow("not browsable: a bound file, a drive without medium")
            << Mounts{root, {"/etc/hosts", "ext4", {}, false}, {"/media/cd", "iso9660", {}, false}}
            << QStringList{"/"};
        QTest::newRow("mounted over: the last one counts")
            << Mounts{root, stick, {"/media/usb", "exfat", QStringLiteral("CARD"), true}}
            << QStringList{"/", "/media/usb CARD"};
    }
    void volumesAmong()
    {
        QFETCH(Mounts, mounts);
        QFETCH(QStringList, offered);

        QStringList volumes;
        for (const quillet::Volume &volume : quillet::VolumesAmong(mounts)) {
            QCOMPARE(QString::fromStdString(volume.root), volume.name);
            volumes << QStringList{volume.name, volume.label}.join(u' ').trimmed();
        }
        QCOMPARE(volumes, offered);
    }
};

QTEST_GUILESS_MAIN(TestVolumesPosix)
#include "tst_volumes_posix.moc"
