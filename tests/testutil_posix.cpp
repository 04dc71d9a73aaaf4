#include "testutil.h"

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
