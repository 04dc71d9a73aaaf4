#include "benchutil.h"

#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace bench {

TempFolder::TempFolder()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "quillet-bench-XXXXXX").native();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TempFolder::~TempFolder()
{
    std::filesystem::remove_all(m_path);
}

void TempFolder::add(const std::string &name) const
{
    const int fd = ::open((m_path + '/' + name).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0)
        throw std::runtime_error("cannot create " + name);
    ::close(fd);
}

void TempFolder::writeOut() const
{
    ::sync();
}

std::vector<std::string> readNames(const std::string &folder)
{
    DIR *dir = ::opendir(folder.c_str());
    std::vector<std::string> names;
    while (const dirent *entry = ::readdir(dir))
        if (entry->d_name[0] != '.')
            names.emplace_back(entry->d_name);
    ::closedir(dir);
    return names;
}

bool lookUp(int folder, const std::string &name)
{
    struct statx identity
    {
    };
    return ::statx(folder, name.c_str(), AT_SYMLINK_NOFOLLOW | AT_STATX_FORCE_SYNC,
                   STATX_BASIC_STATS | STATX_BTIME, &identity) == 0;
}

double renameBaseline(const std::string &folder, const std::vector<std::string> &names)
{
    const auto start = Clock::now();
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (const auto &name : names) {
        const std::string newName = withoutSpaces(name);
        if (!lookUp(folderFd, name) ||
            ::renameat2(folderFd, name.c_str(), folderFd, newName.c_str(), RENAME_NOREPLACE) != 0 ||
            !lookUp(folderFd, newName))
            throw std::runtime_error("baseline rename failed: " + name);
    }
    ::close(folderFd);
    return millisecondsSince(start);
}

} // namespace bench
