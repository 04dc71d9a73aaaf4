#include "folderreader_posix.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace quillet {

namespace {

struct DirCloser
{
    void operator()(DIR *dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

// The held folder opened once more, this time for reading its entries.
DirHandle openForReading(FolderCalls &calls, const HeldFolder &folder)
{
    const int descriptor =
        calls.openat(folder.Descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        ThrowFolderError(folder.Path(), errno);
    DirHandle dir(calls.fdopendir(descriptor));
    if (!dir) {
        const int error = errno;
        ::close(descriptor);
        ThrowFolderError(folder.Path(), error);
    }
    return dir;
}

// The list of \a entries that the entry belongs in, or none. The type the
// folder itself records is trusted; the entry is only looked up when that
// type is unknown or a link, whose target decides. An entry that vanished or
// a dangling link belongs nowhere.
std::vector<std::string> *listFor(DIR *dir, const dirent &entry, FolderEntries &entries)
{
    unsigned char type = entry.d_type;
    if (type == DT_UNKNOWN || type == DT_LNK) {
        struct stat info = {};
        if (::fstatat(::dirfd(dir), entry.d_name, &info, 0) != 0)
            return nullptr;
        type = S_ISREG(info.st_mode) ? DT_REG : S_ISDIR(info.st_mode) ? DT_DIR : DT_UNKNOWN;
    }
    if (type == DT_REG)
        return &entries.files;
    return type == DT_DIR ? &entries.folders : nullptr;
}

// The working folder by the name the shell that started Quillet gave it, for
// when the system can no longer name it (it was removed), or "." where that
// name is unknown or now names another folder.
std::string folderTheShellNamed()
{
    const char *pwd = std::getenv("PWD");
    struct stat current = {};
    if (pwd == nullptr || pwd[0] != '/' || ::stat(".", &current) != 0)
        return ".";
    struct stat named = {};
    const bool another = ::stat(pwd, &named) == 0 &&
                         (named.st_dev != current.st_dev || named.st_ino != current.st_ino);
    return another ? "." : pwd;
}

} // namespace

int FolderCalls::openat(int folder, const char *name, int flags)
{
    return ::openat(folder, name, flags);
}

DIR *FolderCalls::fdopendir(int descriptor)
{
    return ::fdopendir(descriptor);
}

dirent *FolderCalls::readdir(DIR *dir)
{
    return ::readdir(dir);
}

void ThrowFolderError(const std::string &folder, int error)
{
    throw FolderError(folder, SystemErrorOf(static_cast<unsigned long>(error)));
}

FolderEntries ReadFolderWith(FolderCalls &calls, const HeldFolder &folder)
{
    const DirHandle dir = openForReading(calls, folder);
    FolderEntries entries;
    for (;;) {
        errno = 0;
        const dirent *entry = calls.readdir(dir.get());
        if (!entry)
            break;
        if (entry->d_name[0] == '.')
            continue;
        if (std::vector<std::string> *list = listFor(dir.get(), *entry, entries))
            list->emplace_back(entry->d_name);
    }
    // A folder that fails part way is not shown in part.
    if (errno != 0)
        ThrowFolderError(folder.Path(), errno);
    return entries;
}

FolderEntries ReadFolder(const HeldFolder &folder)
{
    FolderCalls system;
    return ReadFolderWith(system, folder);
}

FolderEntries ReadFolder(const std::string &folder)
{
    return ReadFolder(HeldFolder(folder));
}

std::string CurrentFolder()
{
    // The buffer grows as needed: the working folder may lie deeper than
    // PATH_MAX, which the C library then names by walking up from it.
    std::string path(PATH_MAX, '\0');
    while (!::getcwd(path.data(), path.size())) {
        if (errno != ERANGE)
            return folderTheShellNamed();
        path.resize(path.size() * 2);
    }
    path.resize(path.find('\0'));
    return path;
}

} // namespace quillet
