#include "volumes.h"

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

bool isListed(const QStorageInfo &volume)
{
    if (volume.rootPath() == QDir::rootPath()) {
        return true;
    }
    // Containers bind-mount single files such as /etc/hosts; only folders
    // can be browsed.
    return volume.isValid() && volume.isReady() && !isPseudo(volume.fileSystemType()) &&
           QFileInfo(volume.rootPath()).isDir();
}

} // namespace

std::vector<Volume> ListedVolumes()
{
    // Keyed by root, which sorts them and keeps one entry where a mount point
    // is mounted over again (the last mount, the one in use). The root is
    // there even where the system does not report it as mounted (a chroot).
    std::map<QByteArray, QString> labels = {{QFile::encodeName(QDir::rootPath()), QString()}};
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (isListed(volume))
            labels[QFile::encodeName(volume.rootPath())] = volume.name();
    }
    std::vector<Volume> volumes;
    for (const auto &[root, label] : labels)
        volumes.push_back({root.toStdString(), QFile::decodeName(root), label});
    return volumes;
}

} // namespace quillet
