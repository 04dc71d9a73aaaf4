#include "namefile.h"
#include "posixcalls.h"
#include "renameerror.h"
#include "unfinishedrename.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/statfs.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

// The file system type of every FUSE mount, and the number FUSE lists an
// entry with when the file system behind it has none of its own.
constexpr decltype(statfs::f_type) kFuseMagic = 0x65735546;
constexpr ino_t kFuseUnknownNumber = 0xffffffff;

bool isOneOf(int error, const auto &errors)
{
    return std::ranges::find(errors, error) != errors.end();
}

int errorOf(int result)
{
    return result == 0 ? 0 : errno;
}

// What a way to a new name came to: 0 or the errno value of its failure, and
// what of its first step it could not take back.
struct Outcome
{
    int error = 0;
    RenameLeftover leftover = RenameLeftover::Nothing;
};

// Without hard links the new name is first claimed by an empty file of our
// own, which the system creates only where nothing is, and the file is then
// renamed over that placeholder. The old name is looked at only after a
// failure: a missing file is reported as missing, not as whatever the
// placeholder ran into.
Outcome renameOverPlaceholder(PosixCalls &calls, const Names &names)
{
    int error = calls.createExclusive(names.folder, names.to);
    RenameLeftover leftover = RenameLeftover::Nothing;
    if (error == 0) {
        error = calls.rename(names.folder, names.from, names.to);
        if (error == 0)
            return {};
        if (calls.unlink(names.folder, names.to) != 0)
            leftover = RenameLeftover::EmptyFile;
    }
    FileIdentity ignored;
    return {calls.lstat(names.folder, names.from, ignored) == ENOENT ? ENOENT : error, leftover};
}

// The file has both names after a hard link: the old one is removed, or, when
// that is refused, the one just added.
Outcome dropOldName(PosixCalls &calls, const Names &names)
{
    const int error = calls.unlink(names.folder, names.from);
    if (error == 0)
        return {};
    const bool bothKept = calls.unlink(names.folder, names.to) != 0;
    return {error, bothKept ? RenameLeftover::BothNames : RenameLeftover::Nothing};
}

// Tries the ways from \a firstWay on. A way the file system does not offer
// leads to the next one, and \a firstWay remembers that it is not offered.
Outcome renameWithoutReplacing(PosixCalls &calls, const Names &names, int &firstWay)
{
    if (firstWay == kNoReplaceWay) {
        const int error = calls.renameNoReplace(names.folder, names.from, names.to);
        if (!isOneOf(error, kNoReplaceUnsupported))
            return {error};
        firstWay = kLinkWay;
    }
    const UnfinishedRename steps;
    if (firstWay == kLinkWay) {
        const int error = calls.link(names.folder, names.from, names.to);
        if (error == 0)
            return dropOldName(calls, names);
        if (!isOneOf(error, kLinkUnsupported))
            return {error};
        firstWay = kPlaceholderWay;
    }
    return renameOverPlaceholder(calls, names);
}

[[noreturn]] void throwRenameError(const Outcome &outcome, const std::string &oldName,
                                   const std::string &newName)
{
    throw RenameError(SystemErrorOf(static_cast<unsigned long>(outcome.error)), oldName, newName, outcome.leftover);
}

// What of \a before, the file renamed to \a newName, its file system kept
// across the rename, as the file looked up again there tells. A file that
// cannot be looked up again keeps only what every file system keeps.
FileIdentity identityAfterRename(PosixCalls &calls, int folder, FileSystemFacts &facts,
                                 const std::string &newName, const FileIdentity &before)
{
    FileIdentity after;
    if (calls.lstat(folder, newName, after) != 0)
        after = {};
    FileIdentity kept = KeptAcrossRename(before, after);
    if (!facts.ownFileNumbers)
        facts.ownFileNumbers = calls.hasOwnFileNumbers(folder);
    if (!*facts.ownFileNumbers)
        kept.number.reset();
    return kept;
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
    if (::statx(folder, name.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME,
                &status) != 0)
        return errno;
    const auto nanoseconds = [](const statx_timestamp &time) {
        return time.tv_sec * std::int64_t{1'000'000'000} + time.tv_nsec;
    };
    identity = {FileNumber{makedev(status.stx_dev_major, status.stx_dev_minor), status.stx_ino},
                std::nullopt,
                static_cast<std::uint32_t>(status.stx_mode & S_IFMT),
                status.stx_size,
                nanoseconds(status.stx_mtime)};
    if ((status.stx_mask & STATX_BTIME) != 0)
        identity.created = nanoseconds(status.stx_btime);
    return 0;
}

bool PosixCalls::hasOwnFileNumbers(int folder)
{
    struct statfs volume
    {
    };
    if (::fstatfs(folder, &volume) != 0 || volume.f_type != kFuseMagic)
        return true;
    // Such a FUSE file system lists its entries with the number unknown.
    const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *const entries = listing < 0 ? nullptr : ::fdopendir(listing);
    if (entries == nullptr) {
        if (listing >= 0)
            ::close(listing);
        return false;
    }
    bool own = false;
    while (const dirent *entry = ::readdir(entries)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            own = entry->d_ino != kFuseUnknownNumber;
            break;
        }
    }
    ::closedir(entries);
    return own;
}

FileIdentity NameFileWith(PosixCalls &calls, int folder, FileSystemFacts &facts,
                          const std::string &oldName, const std::string &newName,
                          const std::optional<FileIdentity> &expected)
{
    RefuseUnusableName(oldName, newName);
    // A bare name with a separator would reach into another folder.
    if (oldName.find('/') != std::string::npos || newName.find('/') != std::string::npos)
        throw RenameError(Refusal::InvalidName, oldName, newName);
    // The file is looked at before it is renamed: should another take its
    // name in between, the file renamed is not the one told, and an undo
    // leaves it alone rather than renaming a file the batch did not.
    FileIdentity identity;
    if (const int error = calls.lstat(folder, oldName, identity))
        throwRenameError({error}, oldName, newName);
    // An undo renames back only the file the batch renamed.
    if (expected && !IsSameFile(*expected, identity))
        throw RenameError(Refusal::Replaced, oldName, newName);
    // A file renamed onto itself is only looked at: RENAME_NOREPLACE, a hard
    // link and an exclusive create all answer "exists" for it.
    if (oldName == newName)
        return identity;
    if (const Outcome outcome =
            renameWithoutReplacing(calls, {folder, oldName, newName}, facts.firstWay);
        outcome.error != 0)
        throwRenameError(outcome, oldName, newName);
    return identityAfterRename(calls, folder, facts, newName, identity);
}

FileIdentity FileRenamer::NameFile(const std::string &oldName, const std::string &newName,
                                   const std::optional<FileIdentity> &expected)
{
    PosixCalls system;
    return NameFileWith(system, m_folder.Descriptor(), m_facts, oldName, newName, expected);
}

} // namespace quillet
