#pragma once

// Real file systems, made fresh and mounted for a test or a benchmark, so
// that the rename service meets each one users rename on: some offer neither
// RENAME_NOREPLACE nor hard links, some take names differing only in letter
// case as one, some make up their inode numbers. Linux only, as the
// superuser. Every tool runs with a time limit, so a FUSE daemon or sshd that
// hangs or dies cannot keep the caller waiting. Plain C++, so that the
// benchmark can use it too.

#include <functional>
#include <string>
#include <vector>

namespace testutil {

enum class FileSystem { Tmpfs, Overlay, Btrfs, Xfs, Fat, ExFat, Ntfs, Sshfs };

/// What \a kind is called, such as "exFAT".
const char *fileSystemName(FileSystem kind);

/// Why this process cannot mount \a kind here (not the superuser, no
/// /dev/fuse, a tool missing), or empty when it can.
std::string mountUnavailable(FileSystem kind);

/// A file system of \a kind mounted on an empty folder for as long as the
/// object lives. Unmounting, detaching its loop device and stopping its
/// daemon happen when it goes.
class Mount
{
public:
    /// Mounts the image at \a imagePath (a file, or a folder for the file
    /// systems that need no image) on the empty folder \a mountPoint. Where
    /// nothing is at \a imagePath yet, a new empty file system is made there
    /// first. Throws std::runtime_error, naming the tool and what it said,
    /// when that fails.
    Mount(FileSystem kind, const std::string &imagePath, const std::string &mountPoint);
    ~Mount();
    Mount(const Mount &) = delete;
    Mount &operator=(const Mount &) = delete;

    /// Calls \a write with the folder in which new files belong to the file
    /// system's lowest layer, then lets the mount point show them: the lower
    /// folder of an overlay, which is mounted afresh; elsewhere the mount
    /// point itself.
    void seed(const std::function<void(const std::string &folder)> &write);

private:
    void mount();
    void release() noexcept;
    // The words with {image}, {device}, {mnt} and {port} filled in.
    std::string expand(std::string word) const;
    std::vector<std::string> expand(std::vector<std::string> words) const;

    FileSystem m_kind;
    std::string m_image;
    std::string m_mountPoint;
    std::string m_loopDevice; // empty where the image is mounted as it is
    std::string m_port;       // for a file system served over the network
};

} // namespace testutil
