#pragma once

#include "volumes.h"

#include <string>
#include <vector>

namespace quillet {

/// The volumes worth offering among the file systems that the mount table
/// at \a path (in the form of /proc/self/mounts) names, sorted by mount
/// point: the root always, and every file system that may hold a user's
/// files, never one the kernel makes up or keeps in memory; each mount point
/// once. Reading the table asks none of those file systems anything.
/// ListedVolumes reads the kernel's own.
std::vector<Volume> VolumesInMountTable(const std::string &path);

} // namespace quillet
