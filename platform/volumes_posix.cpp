#include "volumes_posix.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <map>

namespace quillet {

namespace {

/// File systems that the kernel makes up (process and device tables, control
/// groups, tracing) or that live in memory or inside read-only images: none of
/// them holds files a user would rename. An overlay is listed only as the root.
bool isPseudo(const QByteArray &type)
{
    static const QByteArrayList pseudo = {
        "autofs",   "binfmt_misc", "bpf",      "cgroup",  "cgroup2",    "configfs",   "debugfs",
        "devpts",   "devtmpfs",    "efivarfs", "fusectl", "hugetlbfs",  "mqueue",     "nsfs",
        "overlay",  "proc",        "pstore",   "ramfs",   "rpc_pipefs", "securityfs", "selinuxfs",
        "squashfs", "sysfs",       "tmpfs",    "tracefs",
    };
    return pseudo.contains(type);
}

MountedFileSystem mountedFileSystem(const QStorageInfo &volume)
{
    // Containers bind-mount single files such as /etc/hosts; only folders
    // can be browsed.
    return {QFile::encodeName(volume.rootPath()), volume.fileSystemType(), volume.name(),
            volume.isValid() && volume.isReady() && QFileInfo(volume.rootPath()).isDir()};
}

} // namespace

std::vector<Volume> VolumesAmong(const std::vector<MountedFileSystem> &mounts)
{
    // Keyed by root, which sorts them and keeps one entry per mount point.
    // The root is there even where the system does not report it as mounted
    // (a chroot), and whatever is mounted on it.
    const QByteArray root = QFile::encodeName(QDir::rootPath());
    std::map<QByteArray, QString> labels = {{root, QString()}};
    for (const MountedFileSystem &mount : mounts) {
        if (mount.root == root || (mount.browsable && !isPseudo(mount.type)))
            labels[mount.root] = mount.label;
    }
    std::vector<Volume> volumes;
    for (const auto &[path, label] : labels)
        volumes.push_back({path.toStdString(), QFile::decodeName(path), label});
    return volumes;
}

std::vector<Volume> ListedVolumes()
{
    std::vector<MountedFileSystem> mounts;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        mounts.push_back(mountedFileSystem(volume));
    return VolumesAmong(mounts);
}

} // namespace quillet
