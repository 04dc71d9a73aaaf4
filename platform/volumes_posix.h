#pragma once

#include "volumes.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace quillet {

/// A mounted file system, as the system's mount table reports it.
struct MountedFileSystem
{
    /// Its mount point, as bytes.
    QByteArray root;
    /// Its type, as the kernel names it ("ext4", "vfat", "tmpfs").
    QByteArray type;
    QString label;
    /// Whether it is ready and its mount point is a folder that can be opened.
    bool browsable = false;
};

/// The volumes worth offering among \a mounts, sorted by mount point: the root
/// always, and every browsable file system that holds a user's files, never
/// one the kernel makes up or keeps in memory. Where a mount point is mounted
/// over, the last mount, the one in use, gives the label.
std::vector<Volume> VolumesAmong(const std::vector<MountedFileSystem> &mounts);

} // namespace quillet
