#pragma once

// FAT and exFAT file systems in image files, mounted through FUSE, so that
// the rename service meets file systems that offer neither RENAME_NOREPLACE
// nor hard links and that take names differing only in letter case as one.
// Linux only, as the superuser: fusefat mounts a FAT image file directly,
// exfat-fuse needs it attached to a loop device first. Plain C++, so that
// the benchmark can use it too.

#include <string>

namespace testutil {

enum class FatKind { Fat, ExFat };

/// What \a kind is called, such as "exFAT".
const char *fatName(FatKind kind);

/// Why this process cannot mount \a kind here (not the superuser, no
/// /dev/fuse, a tool missing), or empty when it can.
std::string fatUnavailable(FatKind kind);

/// Makes a new image file at \a imagePath holding an empty file system of
/// \a kind. Throws std::runtime_error when the tool fails.
void makeFatImage(FatKind kind, const std::string &imagePath);

/// The image at \a imagePath mounted on the empty folder \a mountPoint for as
/// long as the object lives. Every tool runs with a time limit, so a FUSE
/// daemon that hangs or dies cannot keep the caller waiting.
class FatMount
{
public:
    /// Throws std::runtime_error, naming the tool and what it said, when the
    /// image cannot be mounted.
    FatMount(FatKind kind, const std::string &imagePath, const std::string &mountPoint);
    ~FatMount();
    FatMount(const FatMount &) = delete;
    FatMount &operator=(const FatMount &) = delete;

private:
    void release() noexcept;

    std::string m_mountPoint;
    std::string m_loopDevice; // empty where the daemon reads the image file itself
    bool m_mounted = false;
};

} // namespace testutil
