#include "folderpath.h"
#include "folderpath_internal.h"
#include "folderreader.h"
#include "nativepath.h"

#include <filesystem>

namespace quillet {

std::string CurrentFolderFor(const std::string &path)
{
    std::string current = CurrentFolder();
    if (!StartsAtRoot(current))
        throw FolderError(path, FolderRefusal::CurrentFolderUnknown);
    return current;
}

FolderPathParts SplitFolderPath(const std::string &path)
{
    RootedPath rooted = SplitRoot(path);
    FolderPathParts parts{std::move(rooted.root), {}};
    const std::string_view rest = rooted.rest;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = start;
        while (end < rest.size() && !IsPathSeparator(rest[end]))
            ++end;
        const std::string_view name = rest.substr(start, end - start);
        if (name == "..") {
            if (!parts.names.empty())
                parts.names.pop_back();
        } else if (!name.empty() && name != ".") {
            parts.names.emplace_back(name);
        }
        start = end + 1;
    }
    return parts;
}

std::string ChildPath(const std::string &folder, std::string_view name)
{
    std::string child = folder;
    if (child.empty() || !IsPathSeparator(child.back()))
        child += static_cast<char>(std::filesystem::path::preferred_separator);
    child += name;
    return child;
}

std::string JoinFolderPath(const FolderPathParts &parts)
{
    std::string path = parts.root;
    for (const std::string &name : parts.names)
        path = ChildPath(path, name);
    return path;
}

std::string FolderToOpen(const std::string &path)
{
    FolderPathParts parts = SplitFolderPath(path);
    std::error_code unknown;
    const auto status = std::filesystem::status(NativePath(JoinFolderPath(parts)), unknown);
    if (std::filesystem::exists(status) && !std::filesystem::is_directory(status))
        parts.names.pop_back();
    return JoinFolderPath(parts);
}

} // namespace quillet
