#include "folderpath.h"
#include "folderpath_internal.h"

namespace quillet {

bool IsPathSeparator(char c)
{
    return c == '/';
}

bool StartsAtRoot(std::string_view path)
{
    return path.starts_with('/');
}

RootedPath SplitRoot(const std::string &path)
{
    if (StartsAtRoot(path))
        return {"/", path};
    return {"/", CurrentFolderFor(path) + '/' + path};
}

std::string FallbackFolder()
{
    return "/";
}

} // namespace quillet
