#include "drivelistbox.h"

#include "folderreader.h"

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

QString entryText(const QStorageInfo &volume)
{
    const QString label = volume.name();
    return label.isEmpty() ? volume.rootPath()
                           : QStringLiteral("%1  [%2]").arg(volume.rootPath(), label);
}

/// The listed volumes' root folders, as bytes, with their entry texts. The root
/// is there even where the system does not report it as mounted (a chroot).
/// Keyed by root, which sorts them and keeps one entry where a mount point is
/// mounted over again (the last mount, the one in use).
std::map<QByteArray, QString> listedVolumes()
{
    std::map<QByteArray, QString> volumes = {
        {QFile::encodeName(QDir::rootPath()), QDir::rootPath()}};
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (isListed(volume)) {
            volumes[QFile::encodeName(volume.rootPath())] = entryText(volume);
        }
    }
    return volumes;
}

bool holds(std::string_view root, std::string_view folder)
{
    return folder.starts_with(root) &&
           (folder.size() == root.size() || root.ends_with('/') || folder[root.size()] == '/');
}

} // namespace

DriveListBox::DriveListBox(QWidget *parent) : QComboBox(parent)
{
    std::vector<std::string> roots;
    for (const auto &[root, text] : listedVolumes()) {
        addItem(text, root);
        roots.push_back(root.toStdString());
    }

    // Without a current folder the first entry, the root, stays picked.
    const int holding = VolumeHolding(roots, CurrentFolder());
    if (holding >= 0) {
        setCurrentIndex(holding);
    }
    connect(this, &QComboBox::activated, this, &DriveListBox::Change);
}

std::string DriveListBox::Drive() const
{
    return currentData().toByteArray().toStdString();
}

int VolumeHolding(const std::vector<std::string> &roots, std::string_view folder)
{
    int best = -1;
    for (int i = 0; i < static_cast<int>(roots.size()); ++i) {
        if (holds(roots[i], folder) && (best < 0 || roots[i].size() > roots[best].size())) {
            best = i;
        }
    }
    return best;
}

} // namespace quillet
