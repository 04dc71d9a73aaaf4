#pragma once

#include "volumes.h"

#include <QByteArray>

#include <vector>

namespace quillet {

/// A mounted file system, as the system's mount table reports it.
struct MountedFileSystem
{
    /// Its mount point, as bytes.
    QByteArray root;
    /// Its type, as the kernel names it ("ext4", "vfat", "tmpfs").
    QByteArray type;
};

/// The volumes worth offering among \a mounts, sorted by mount point: the root
/// always, and every file system that may hold a user's files, never one the
/// kernel makes up or keeps in memory; each mount point once.
std::vector<Volume> VolumesAmong(const std::vector<MountedFileSystem> &mounts);

} // namespace quillet
