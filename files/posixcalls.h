#pragma once

#include <string>

namespace quillet {

/// The system calls that the POSIX rename makes, one virtual function each,
/// so that a test can make any of them fail or can change the folder just
/// before one runs. Each returns 0 on success, or else the errno value of its
/// failure. The defaults call the system.
class PosixCalls
{
public:
    virtual ~PosixCalls() = default;

    /// Renames, failing with EEXIST when \a newPath exists. Answers EINVAL
    /// where the system cannot promise that (no RENAME_NOREPLACE).
    virtual int renameNoReplace(const std::string &oldPath, const std::string &newPath);
    /// Adds \a newPath as a hard link to the entry \a oldPath itself: a
    /// symbolic link is linked, not followed. Fails with EEXIST when
    /// \a newPath exists.
    virtual int link(const std::string &oldPath, const std::string &newPath);
    /// Removes the name \a path.
    virtual int unlink(const std::string &path);
    /// Creates an empty file at \a path, failing with EEXIST when anything is
    /// there already, a dangling symbolic link included.
    virtual int createExclusive(const std::string &path);
    /// Renames, replacing whatever is at \a newPath.
    virtual int rename(const std::string &oldPath, const std::string &newPath);
    /// Looks \a path up without following a symbolic link: 0 when it exists.
    virtual int lstat(const std::string &path);
};

/// NameFile, making its system calls through \a calls.
void NameFileWith(PosixCalls &calls, const std::string &oldPath, const std::string &newPath);

} // namespace quillet
