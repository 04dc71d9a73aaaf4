#include "namefile.h"
#include "posixcalls.h"
#include "renameerror.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
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

// One rename as the calls take it: the names before and after, read relative
// to the open folder \a folder, or as paths when it is AT_FDCWD.
struct Names
{
    int folder;
    std::string from;
    std::string to;
};

bool isDirectlyIn(std::string_view path, std::string_view folderPrefix)
{
    return path.starts_with(folderPrefix) &&
           path.find('/', folderPrefix.size()) == std::string_view::npos;
}

// Bare names relative to the held folder when both paths lie directly in it,
// so that the rename happens in the folder that was opened and no path limit
// applies; otherwise the paths as given.
Names namesFor(const HeldFolder *folder, const std::string &from, const std::string &to)
{
    if (folder != nullptr && folder->Descriptor() >= 0) {
        const std::string prefix = collapseSeparators(folder->Path() + '/');
        if (isDirectlyIn(from, prefix) && isDirectlyIn(to, prefix))
            return {folder->Descriptor(), std::string(bareName(from)), std::string(bareName(to))};
    }
    return {AT_FDCWD, from, to};
}

// Only a path given whole can pass the system's limit on paths; a name
// relative to the held folder can only be too long itself.
RenameFailure tooLongFailure(const Names &names)
{
    const bool longPath =
        names.folder == AT_FDCWD && std::max(names.from.size(), names.to.size()) >= PATH_MAX;
    return longPath && bareName(names.to).size() <= NAME_MAX ? RenameFailure::PathTooLong
                                                             : RenameFailure::NameTooLong;
}

RenameFailure failureOf(int error, const Names &names)
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
        return tooLongFailure(names);
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
    return calls.lstat(names.folder, names.from) == ENOENT ? ENOENT : error;
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

int PosixCalls::lstat(int folder, const std::string &name)
{
    struct stat status
    {
    };
    return errorOf(::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW));
}

void NameFileWith(PosixCalls &calls, const HeldFolder *folder, int &firstWay,
                  const std::string &oldPath, const std::string &newPath)
{
    const std::string from = collapseSeparators(oldPath);
    const std::string to = collapseSeparators(newPath);
    RefuseUnusableName(bareName(from), bareName(to));
    const Names names = namesFor(folder, from, to);
    // Settled before any rename: RENAME_NOREPLACE, a hard link and an
    // exclusive create all answer "exists" for a file renamed onto itself.
    const int error = from == to ? calls.lstat(names.folder, names.from)
                                 : renameWithoutReplacing(calls, names, firstWay);
    if (error != 0) {
        throw RenameError(failureOf(error, names), bareName(from), bareName(to),
                          std::generic_category().message(error));
    }
}

void FileRenamer::NameFile(const std::string &oldPath, const std::string &newPath)
{
    PosixCalls system;
    NameFileWith(system, m_folder, m_firstWay, oldPath, newPath);
}

void NameFile(const std::string &oldPath, const std::string &newPath)
{
    FileRenamer().NameFile(oldPath, newPath);
}

} // namespace quillet
