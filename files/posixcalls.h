#pragma once

#include "batch.h"
#include "namefile.h"

#include <optional>
#include <string>

namespace quillet {

/// The system calls that the POSIX rename makes, one virtual function each,
/// so that a test can make any of them fail or can change the folder just
/// before one runs. Names are bare names, read relative to the open folder
/// \a folder. Each returns 0 on success, or else the errno value of its
/// failure. The defaults call the system.
class PosixCalls
{
public:
    virtual ~PosixCalls() = default;

    /// Renames, failing with EEXIST when \a to exists. Answers EINVAL where
    /// the system cannot promise that (no RENAME_NOREPLACE).
    virtual int renameNoReplace(int folder, const std::string &from, const std::string &to);
    /// Adds \a to as a hard link to the entry \a from itself: a symbolic link
    /// is linked, not followed. Fails with EEXIST when \a to exists.
    virtual int link(int folder, const std::string &from, const std::string &to);
    /// Removes the name \a name.
    virtual int unlink(int folder, const std::string &name);
    /// Creates an empty file \a name, failing with EEXIST when anything is
    /// there already, a dangling symbolic link included.
    virtual int createExclusive(int folder, const std::string &name);
    /// Renames, replacing whatever is at \a to.
    virtual int rename(int folder, const std::string &from, const std::string &to);
    /// Looks \a name up without following a symbolic link: 0 when it exists,
    /// and then \a identity is set to the file's.
    virtual int lstat(int folder, const std::string &name, FileIdentity &identity);
    /// Whether the numbers that the file system of \a folder gives its files
    /// are its own, which last. FUSE makes numbers up per name for a file
    /// system that has none (FAT, exFAT, SFTP), only for as long as it holds
    /// the file in memory.
    virtual bool hasOwnFileNumbers(int folder);
};

/// The ways to a new name without replacing, in the order they are tried.
enum RenameWay : int {
    kNoReplaceWay,   ///< renameat2 with RENAME_NOREPLACE
    kLinkWay,        ///< a hard link under the new name, then the old name removed
    kPlaceholderWay, ///< an empty file claims the new name, then a rename over it
};

/// FileRenamer::NameFile, renaming in the open folder \a folder and making
/// its system calls through \a calls. The ways are tried from
/// \a facts.firstWay on; each the file system answers it does not offer moves
/// it past that way, for the next renames.
FileIdentity NameFileWith(PosixCalls &calls, int folder, FileSystemFacts &facts,
                          const std::string &oldName, const std::string &newName,
                          const std::optional<FileIdentity> &expected);

} // namespace quillet
