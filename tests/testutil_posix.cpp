#include "testutil.h"

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace testutil {

char separator()
{
    return '/';
}

std::string rawNamePart()
{
    return "\xe9\xff";
}

bool foldersAreHeld()
{
    return true;
}

int holdsOn(const std::string &path)
{
    const std::filesystem::path folder = std::filesystem::canonical(path);
    int holds = 0;
    for (const auto &entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code gone;
        holds += std::filesystem::read_symlink(entry.path(), gone) == folder ? 1 : 0;
    }
    return holds;
}

bool namesAreBytes()
{
    return true;
}

void removeTree(const std::string &path)
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

bool makeUnreadableFolder(const std::string &path)
{
    return ::geteuid() != 0 && ::mkdir(path.c_str(), 0) == 0;
}

bool makePipe(const std::string &path)
{
    return ::mkfifo(path.c_str(), 0600) == 0;
}

} // namespace testutil
