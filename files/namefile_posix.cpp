#include "namefile.h"
#include "posixcalls.h"
#include "renameerror.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <system_error>
#include <unistd.h>

namespace quillet {

namespace {

// One rename as the calls take it: bare names relative to the open folder.
struct Names
{
    int folder;
    const std::string &from;
    const std::string &to;
};

// The answers by which a file system says that it does not offer a call at
// all, as opposed to refusing this rename: only these lead to the next way.
// NFS and many FUSE file systems lack RENAME_NOREPLACE; FAT-like ones lack
// hard links.
constexpr std::array kNoReplaceUnsupported{EINVAL, ENOSYS, EOPNOTSUPP, ENOTSUP};
constexpr std::array kLinkUnsupported{EPERM, EOPNOTSUPP, ENOTSUP, EMLINK};

bool isOneOf(int error, const auto &errors)
{
    return std::ranges::find(errors, error) != errors.end();
}

int errorOf(int result)
{
    return result == 0 ? 0 : errno;
}

RenameFailure failureOf(int error)
{
    switch (error) {
    case EEXIST:
    case ENOTEMPTY:
        return RenameFailure::TargetExists;
    case ENOENT:
        return RenameFailure::SourceMissing;
    case EACCES:
    case EPERM:
        return RenameFailure::PermissionDenied;
    case EROFS:
        return RenameFailure::ReadOnlyFileSystem;
    case ENAMETOOLONG:
        return RenameFailure::NameTooLong;
    case EINVAL:
    case EILSEQ:
        return RenameFailure::InvalidName;
    case EBUSY:
    case ETXTBSY:
        return RenameFailure::InUse;
    case ENOSPC:
    case EDQUOT:
        return RenameFailure::NoSpace;
    default:
        return RenameFailure::Other;
    }
}

// Without hard links the new name is first claimed by an empty file of our
// own, which the system creates only where nothing is, and the file is then
// renamed over that placeholder. The old name is looked at only after a
// failure: a missing file is reported as missing, not as whatever the
// placeholder ran into.
int renameOverPlaceholder(PosixCalls &calls, const Names &names)
{
    int error = calls.createExclusive(names.folder, names.to);
    if (error == 0) {
        error = calls.rename(names.folder, names.from, names.to);
        if (error == 0)
            return 0;
        calls.unlink(names.folder, names.to);
    }
    FileIdentity ignored;
    return calls.lstat(names.folder, names.from, ignored) == ENOENT ? ENOENT : error;
}

// The file has both names after a hard link: the old one is removed, or, when
// that is refused, the one just added.
int dropOldName(PosixCalls &calls, const Names &names)
{
    const int error = calls.unlink(names.folder, names.from);
    if (error != 0)
        calls.unlink(names.folder, names.to);
    return error;
}

// Tries the ways from \a firstWay on. A way the file system does not offer
// leads to the next one, and \a firstWay remembers that it is not offered.
int renameWithoutReplacing(PosixCalls &calls, const Names &names, int &firstWay)
{
    if (firstWay == kNoReplaceWay) {
        const int error = calls.renameNoReplace(names.folder, names.from, names.to);
        if (!isOneOf(error, kNoReplaceUnsupported))
            return error;
        firstWay = kLinkWay;
    }
    if (firstWay == kLinkWay) {
        const int error = calls.link(names.folder, names.from, names.to);
        if (error == 0)
            return dropOldName(calls, names);
        if (!isOneOf(error, kLinkUnsupported))
            return error;
        firstWay = kPlaceholderWay;
    }
    return renameOverPlaceholder(calls, names);
}

[[noreturn]] void throwRenameError(int error, const std::string &oldName, const std::string &newName)
{
    throw RenameError(failureOf(error), oldName, newName, std::generic_category().message(error));
}

} // namespace

int PosixCalls::renameNoReplace([[maybe_unused]] int folder,
                                [[maybe_unused]] const std::string &from,
                                [[maybe_unused]] const std::string &to)
{
#ifdef RENAME_NOREPLACE
    return errorOf(::renameat2(folder, from.c_str(), folder, to.c_str(), RENAME_NOREPLACE));
#else
    return EINVAL;
#endif
}

int PosixCalls::link(int folder, const std::string &from, const std::string &to)
{
    return errorOf(::linkat(folder, from.c_str(), folder, to.c_str(), 0));
}

int PosixCalls::unlink(int folder, const std::string &name)
{
    return errorOf(::unlinkat(folder, name.c_str(), 0));
}

int PosixCalls::createExclusive(int folder, const std::string &name)
{
    const int fd =
        ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                 S_IRUSR | S_IWUSR);
    if (fd < 0)
        return errno;
    ::close(fd);
    return 0;
}

int PosixCalls::rename(int folder, const std::string &from, const std::string &to)
{
    return errorOf(::renameat(folder, from.c_str(), folder, to.c_str()));
}

int PosixCalls::lstat(int folder, const std::string &name, FileIdentity &identity)
{
    struct statx status
    {
    };
    if (::statx(folder, name.c_str(), AT_SYMLINK_NOFOLLOW, STATX_INO | STATX_BTIME, &status) != 0)
        return errno;
    constexpr std::int64_t kNanoseconds = 1'000'000'000;
    const std::int64_t created =
        (status.stx_mask & STATX_BTIME) != 0
            ? status.stx_btime.tv_sec * kNanoseconds + status.stx_btime.tv_nsec
            : 0;
    identity = {makedev(status.stx_dev_major, status.stx_dev_minor), status.stx_ino, created};
    return 0;
}

FileIdentity NameFileWith(PosixCalls &calls, int folder, int &firstWay, const std::string &oldName,
                          const std::string &newName, const std::optional<FileIdentity> &expected)
{
    RefuseUnusableName(oldName, newName);
    // A bare name with a separator would reach into another folder.
    if (oldName.find('/') != std::string::npos || newName.find('/') != std::string::npos)
        throw RenameError(RenameFailure::InvalidName, oldName, newName);
    // The file is looked at before it is renamed: should another take its
    // name in between, the file renamed is not the one told, and an undo
    // leaves it alone rather than renaming a file the batch did not.
    FileIdentity identity;
    if (const int error = calls.lstat(folder, oldName, identity))
        throwRenameError(error, oldName, newName);
    // An undo renames back only the file the batch renamed.
    if (expected && identity != *expected)
        throw RenameError(RenameFailure::Replaced, oldName, newName);
    // A file renamed onto itself is only looked at: RENAME_NOREPLACE, a hard
    // link and an exclusive create all answer "exists" for it.
    if (oldName != newName) {
        if (const int error = renameWithoutReplacing(calls, {folder, oldName, newName}, firstWay))
            throwRenameError(error, oldName, newName);
    }
    return identity;
}

FileIdentity FileRenamer::NameFile(const std::string &oldName, const std::string &newName,
                                   const std::optional<FileIdentity> &expected)
{
    PosixCalls system;
    return NameFileWith(system, m_folder.Descriptor(), m_firstWay, oldName, newName, expected);
}

} // namespace quillet
