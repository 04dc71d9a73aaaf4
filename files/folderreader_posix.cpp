#include "folderreader.h"

#include <cerrno>
#include <climits>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace quillet {

namespace {

[[noreturn]] void throwFolderError(const std::string &folder, int error)
{
    switch (error) {
    case ENOENT:
        throw FolderError(folder, FolderFailure::Missing);
    case ENOTDIR:
        throw FolderError(folder, FolderFailure::NotAFolder);
    case EACCES:
    case EPERM:
        throw FolderError(folder, FolderFailure::PermissionDenied);
    default:
        throw FolderError(folder, FolderFailure::Other, std::generic_category().message(error));
    }
}

struct DirCloser
{
    void operator()(DIR *dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

// Whether the entry is of \a kind. The type the folder itself records is
// trusted; the entry is only looked up when that type is unknown or a link,
// whose target decides. An entry that vanished or a dangling link is of no kind.
bool isOfKind(DIR *dir, const dirent &entry, EntryKind kind)
{
    const unsigned char wanted = kind == EntryKind::Files ? DT_REG : DT_DIR;
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK)
        return entry.d_type == wanted;
    struct stat info = {};
    if (::fstatat(::dirfd(dir), entry.d_name, &info, 0) != 0)
        return false;
    return kind == EntryKind::Files ? S_ISREG(info.st_mode) : S_ISDIR(info.st_mode);
}

} // namespace

std::vector<std::string> ReadFolder(const std::string &folder, EntryKind kind,
                                    const NamePattern &filter)
{
    const DirHandle dir(::opendir(folder.c_str()));
    if (!dir)
        throwFolderError(folder, errno);
    std::vector<std::string> names;
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir.get());
        if (!entry)
            break;
        const std::string_view name(entry->d_name);
        if (name.front() != '.' && filter.matches(name) && isOfKind(dir.get(), *entry, kind))
            names.emplace_back(name);
    }
    if (errno != 0)
        throwFolderError(folder, errno);
    return names;
}

std::string CurrentFolder()
{
    std::string path(PATH_MAX, '\0');
    while (!::getcwd(path.data(), path.size())) {
        if (errno != ERANGE)
            return ".";
        path.resize(path.size() * 2);
    }
    path.resize(path.find('\0'));
    return path;
}

} // namespace quillet
