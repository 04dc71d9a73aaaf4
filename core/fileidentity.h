#pragma once

#include <cstdint>
#include <optional>

namespace quillet {

/// A file's number: the volume and the file's number on it (device and inode
/// on POSIX, volume serial number and file ID on Windows).
struct FileNumber
{
    std::uint64_t volume = 0;
    std::uint64_t file = 0;

    bool operator==(const FileNumber &) const = default;
};

/// Which file an entry is, whatever its name. Its number and the time it was
/// made tell it apart best, but not every file system keeps them when a file
/// is renamed: overlayfs copies a file up into another layer, FUSE makes a
/// number up per name for a file system that has none, and FAT on Windows
/// numbers a file by where its name lies. Those are left out where a rename
/// did not keep them; the file is then told by its type, size and last
/// modification as they are after the rename (FAT through FUSE stamps a
/// renamed file anew).
struct FileIdentity
{
    std::optional<FileNumber> number;
    /// When it was made, where the system tells: a number freed by a removed
    /// file may be given to the next one made.
    std::optional<std::int64_t> created;
    /// File, folder or link, in the system's own terms.
    std::uint32_t type = 0;
    std::uint64_t size = 0;
    /// When its content last changed, in the system's own units.
    std::int64_t modified = 0;

    bool operator==(const FileIdentity &) const = default;
};

/// Whether \a found, a file as looked up now, may be the file recorded as
/// \a recorded: it must match in everything that \a recorded holds.
bool IsSameFile(const FileIdentity &recorded, const FileIdentity &found);

/// A renamed file as \a after, its lookup under the new name, shows it,
/// without the number or making time where \a before, its lookup just before
/// the rename, tells another: the file system did not keep them. A file that
/// could not be looked up again keeps only the type, size and modification
/// of \a before.
FileIdentity KeptAcrossRename(const FileIdentity &before, const std::optional<FileIdentity> &after);

} // namespace quillet
