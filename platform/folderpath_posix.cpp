#include "folderpath.h"
#include "folderpath_internal.h"
#include "folderreader.h"

namespace quillet {

bool IsPathSeparator(char c)
{
    return c == '/';
}

char PreferredSeparator()
{
    return '/';
}

RootedPath SplitRoot(const std::string &path)
{
    if (path.starts_with('/'))
        return {"/", path};
    const std::string current = CurrentFolder();
    if (!current.starts_with('/'))
        throw FolderError(path, "the current folder, which it is relative to, cannot be found");
    return {"/", current + '/' + path};
}

std::string FallbackFolder()
{
    return "/";
}

} // namespace quillet
