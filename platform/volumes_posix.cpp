#include "volumes_posix.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <mntent.h>
#include <set>
#include <string>

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

/// A mounted file system, as a mount table names it.
struct MountedFileSystem
{
    /// Its mount point, as bytes.
    QByteArray root;
    /// Its type, as the kernel names it ("ext4", "vfat", "tmpfs").
    QByteArray type;
};

// The mount table read as text, with the escapes it writes for spaces and
// other blanks in a mount point decoded. Reading the kernel's asks none of
// the mounted file systems anything, unlike QStorageInfo::mountedVolumes(),
// which asks each for its size.
std::vector<MountedFileSystem> mountTable(const std::string &path)
{
    std::vector<MountedFileSystem> mounts;
    FILE *table = ::setmntent(path.c_str(), "r");
    if (table == nullptr)
        return mounts;
    while (const mntent *mount = ::getmntent(table))
        mounts.push_back({QByteArray(mount->mnt_dir), QByteArray(mount->mnt_type)});
    ::endmntent(table);
    return mounts;
}

} // namespace

std::vector<Volume> VolumesInMountTable(const std::string &path)
{
    // Sorted, one entry per mount point. The root is there even where the
    // system does not report it as mounted (a chroot).
    std::set<QByteArray> roots = {QFile::encodeName(QDir::rootPath())};
    for (const MountedFileSystem &mount : mountTable(path)) {
        if (!isPseudo(mount.type))
            roots.insert(mount.root);
    }
    std::vector<Volume> volumes;
    for (const QByteArray &root : roots)
        volumes.push_back({root.toStdString(), QFile::decodeName(root), QString()});
    return volumes;
}

std::vector<Volume> ListedVolumes()
{
    return VolumesInMountTable("/proc/self/mounts");
}

std::optional<QString> AskVolume(const std::string &root)
{
    const QString path = QFile::decodeName(QByteArray::fromStdString(root));
    const QStorageInfo volume(path);
    // Containers bind-mount single files such as /etc/hosts; only folders
    // can be browsed.
    const bool browsable = volume.isValid() && volume.isReady() && QFileInfo(path).isDir();
    if (!browsable && path != QDir::rootPath())
        return std::nullopt;
    return volume.name();
}

} // namespace quillet
