#include "folderpath.h"
#include "folderpath_internal.h"
#include "folderreader.h"

#include <cctype>

namespace quillet {

namespace {

bool isDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool startsWithDrive(std::string_view path)
{
    return path.size() >= 2 && isDriveLetter(path[0]) && path[1] == ':';
}

// "\\server\share\rest" split after the share; \a path starts after the
// leading two separators.
RootedPath splitShare(std::string_view path)
{
    std::size_t end = 0;
    for (int part = 0; part < 2; ++part) {
        while (end < path.size() && IsPathSeparator(path[end]))
            ++end;
        while (end < path.size() && !IsPathSeparator(path[end]))
            ++end;
    }
    std::string root = "\\\\";
    for (const char c : path.substr(0, end))
        root += IsPathSeparator(c) ? '\\' : c;
    return {root + '\\', std::string(path.substr(end))};
}

} // namespace

bool IsPathSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool StartsAtRoot(std::string_view path)
{
    return startsWithDrive(path) || path.starts_with("\\\\");
}

RootedPath SplitRoot(const std::string &path)
{
    std::string_view rest = path;
    // The long-path prefixes name the same folders as the paths they prefix.
    if (rest.starts_with(R"(\\?\UNC\)"))
        return splitShare(rest.substr(8));
    if (rest.starts_with(R"(\\?\)") || rest.starts_with(R"(\\.\)"))
        rest.remove_prefix(4);
    if (startsWithDrive(rest)) {
        const char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0])));
        return {std::string{drive, ':', '\\'}, std::string(rest.substr(2))};
    }
    // "\\server\share"; a run of separators that names no server is read as one.
    const bool namesServer = rest.size() > 2 && IsPathSeparator(rest[0]) &&
                             IsPathSeparator(rest[1]) && !IsPathSeparator(rest[2]);
    if (namesServer)
        return splitShare(rest.substr(2));
    if (!rest.empty() && IsPathSeparator(rest[0]))
        return {SplitRoot(CurrentFolderFor(path)).root, std::string(rest)};
    return SplitRoot(CurrentFolderFor(path) + '\\' + std::string(rest));
}

std::string FallbackFolder()
{
    try {
        return SplitRoot(CurrentFolder()).root;
    } catch (const FolderError &) {
        return "C:\\";
    }
}

} // namespace quillet
