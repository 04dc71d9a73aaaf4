#include "namefile.h"
#include "posixcalls.h"
#include "renameerror.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace quillet {

namespace {

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

// The batch joins the root folder "/" and a name with another '/'.
std::string collapseSeparators(std::string path)
{
    const auto doubled = [](char a, char b) { return a == '/' && b == '/'; };
    path.erase(std::unique(path.begin(), path.end(), doubled), path.end());
    return path;
}

std::string_view bareName(std::string_view path)
{
    const auto separator = path.rfind('/');
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
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
// renamed over that placeholder.
int renameOverPlaceholder(PosixCalls &calls, const std::string &from, const std::string &to)
{
    // A missing file is reported as missing, not as whatever the placeholder
    // would run into, and leaves no placeholder behind.
    if (const int error = calls.lstat(from); error != 0)
        return error;
    if (const int error = calls.createExclusive(to); error != 0)
        return error;
    const int error = calls.rename(from, to);
    if (error != 0)
        calls.unlink(to);
    return error;
}

// Without RENAME_NOREPLACE the new name is added as a hard link, which the
// system refuses where the name exists, and the old name is then removed.
int renameByLink(PosixCalls &calls, const std::string &from, const std::string &to)
{
    const int linkError = calls.link(from, to);
    if (isOneOf(linkError, kLinkUnsupported))
        return renameOverPlaceholder(calls, from, to);
    if (linkError != 0)
        return linkError;
    const int unlinkError = calls.unlink(from);
    if (unlinkError != 0)
        calls.unlink(to); // both names are the one file: drop the name just added
    return unlinkError;
}

int renameWithoutReplacing(PosixCalls &calls, const std::string &from, const std::string &to)
{
    const int error = calls.renameNoReplace(from, to);
    return isOneOf(error, kNoReplaceUnsupported) ? renameByLink(calls, from, to) : error;
}

} // namespace

int PosixCalls::renameNoReplace([[maybe_unused]] const std::string &oldPath,
                                [[maybe_unused]] const std::string &newPath)
{
#ifdef RENAME_NOREPLACE
    return errorOf(
        ::renameat2(AT_FDCWD, oldPath.c_str(), AT_FDCWD, newPath.c_str(), RENAME_NOREPLACE));
#else
    return EINVAL;
#endif
}

int PosixCalls::link(const std::string &oldPath, const std::string &newPath)
{
    return errorOf(::linkat(AT_FDCWD, oldPath.c_str(), AT_FDCWD, newPath.c_str(), 0));
}

int PosixCalls::unlink(const std::string &path)
{
    return errorOf(::unlinkat(AT_FDCWD, path.c_str(), 0));
}

int PosixCalls::createExclusive(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          S_IRUSR | S_IWUSR);
    if (fd < 0)
        return errno;
    ::close(fd);
    return 0;
}

int PosixCalls::rename(const std::string &oldPath, const std::string &newPath)
{
    return errorOf(::renameat(AT_FDCWD, oldPath.c_str(), AT_FDCWD, newPath.c_str()));
}

int PosixCalls::lstat(const std::string &path)
{
    struct stat status
    {
    };
    return errorOf(::fstatat(AT_FDCWD, path.c_str(), &status, AT_SYMLINK_NOFOLLOW));
}

void NameFileWith(PosixCalls &calls, const std::string &oldPath, const std::string &newPath)
{
    const std::string from = collapseSeparators(oldPath);
    const std::string to = collapseSeparators(newPath);
    RefuseUnusableName(bareName(from), bareName(to));
    // Settled before any rename: RENAME_NOREPLACE, a hard link and an
    // exclusive create all answer "exists" for a file renamed onto itself.
    const int error = from == to ? calls.lstat(from) : renameWithoutReplacing(calls, from, to);
    if (error != 0) {
        throw RenameError(failureOf(error), bareName(from), bareName(to),
                          std::generic_category().message(error));
    }
}

void NameFile(const std::string &oldPath, const std::string &newPath)
{
    PosixCalls system;
    NameFileWith(system, oldPath, newPath);
}

} // namespace quillet
