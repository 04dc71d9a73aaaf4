#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

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
/// did not keep them; the file is then told by what every file system keeps
/// across a rename: its type, size and last modification.
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

/// \a before, a file looked up just before a rename, without its number or
/// making time where \a after, the same file looked up under its new name,
/// tells another: the file system did not keep them across the rename.
FileIdentity KeptAcrossRename(FileIdentity before, const FileIdentity &after);

/// Renames files of one folder, named by their bare names (no folder part),
/// never overwriting another file.
class RenameService
{
public:
    virtual ~RenameService() = default;
    /// Renames the file named \a oldName to \a newName and returns the
    /// identity of the file it renamed, as far as the rename kept it. With
    /// \a expected, the file named \a oldName must be that file (IsSameFile):
    /// another one is refused and left alone. Throws on failure.
    virtual FileIdentity NameFile(const std::string &oldName, const std::string &newName,
                                  const std::optional<FileIdentity> &expected) = 0;
};

/// A file that a batch renamed (or an undo renamed back): its names before
/// and after, and which file it was.
struct Renamed
{
    std::string oldName;
    std::string newName;
    FileIdentity identity;

    /// False for a file renamed onto itself: its name held no space.
    bool nameChanged() const { return oldName != newName; }
};

/// What one batch is to do, taken from the window when it starts, so that
/// nothing the user does meanwhile changes it.
struct BatchRequest
{
    /// The bare names of the files to rename, in the order to rename them.
    std::vector<std::string> names;
    bool replaceWithUnderscore = false;
};

/// What a batch or an undo did.
struct RenamingResult
{
    /// The files it was to rename.
    int total = 0;
    /// The files renamed, in the order renamed: the first renamed.size() of
    /// the total.
    std::vector<Renamed> renamed;
    /// Why it stopped at the file after those renamed, when a rename failed.
    std::exception_ptr failure;
    /// Whether it stopped before the file after those renamed because it was
    /// asked to.
    bool stopRequested = false;

    /// The files it left as they were: the one it stopped at and those after.
    int untouchedCount() const { return total - static_cast<int>(renamed.size()); }
    /// The renamed files whose names changed.
    int changedCount() const;
};

/// Hears of a batch's or an undo's progress, on the thread that renames.
class RenamingObserver
{
public:
    virtual ~RenamingObserver() = default;
    /// The rename of file \a index, named \a name, is about to be asked for.
    virtual void Starting(int index, const std::string &name) = 0;
    /// \a file has been renamed.
    virtual void Done(const Renamed &file) = 0;
};

/// Renames the files of \a request, in order, to the names MakeNewName gives
/// them, through \a renamer. A file whose name holds no space is renamed onto
/// itself, which only checks that it is still there. Stops at the first
/// rename that fails, or before the next file once \a stop is requested: the
/// files before stay renamed; that file and those after are untouched.
RenamingResult RunRemoveSpaces(const BatchRequest &request, RenameService &renamer,
                               std::stop_token stop = {}, RenamingObserver *observer = nullptr);

/// Renames the files of \a renamed, which a batch renamed, back to their old
/// names, last first, so that each old name is free again before it is asked
/// for. Each must still be the file the batch renamed: one that has been
/// replaced since is left alone, and the undo stops there. Stops as
/// RunRemoveSpaces does. Its result lists the files named back, with their
/// names as the batch gave them as the old names.
RenamingResult UndoRenames(const std::vector<Renamed> &renamed, RenameService &renamer,
                           std::stop_token stop = {}, RenamingObserver *observer = nullptr);

} // namespace quillet
