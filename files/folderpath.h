#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillet {

/// Whether \a c separates the parts of a path: '/' and, on Windows, '\'.
bool IsPathSeparator(char c);

/// An absolute folder path taken apart: its root, which ends in a separator
/// ("/", or on Windows "C:\" or "\\server\share\"), and the names of the
/// folders below it, from the top down.
struct FolderPathParts
{
    std::string root;
    std::vector<std::string> names;
};

/// \a path made absolute against the current working folder and taken apart.
/// It is read as written: runs of separators, a trailing separator, "." and
/// ".." are resolved on the text, not through links, and ".." never climbs
/// above the root. On Windows "C:" and "C:name" start at the root of drive C,
/// and a path that starts with one separator at the root of the current
/// drive. Throws FolderError when \a path is relative and the current folder
/// cannot be named.
FolderPathParts SplitFolderPath(const std::string &path);

/// \a folder and \a name joined by one separator; none is added after a
/// folder that already ends in one (a root).
std::string ChildPath(const std::string &folder, std::string_view name);

/// \a parts put back together into one path.
std::string JoinFolderPath(const FolderPathParts &parts);

/// The folder to open for \a path, made absolute as SplitFolderPath makes it:
/// \a path itself, or the folder that holds it when it names something that
/// is not a folder (a file). Whether the folder exists is left to the reader.
/// Throws FolderError as SplitFolderPath does.
std::string FolderToOpen(const std::string &path);

/// The folder to show when no other can be read: the root ("/"), or on
/// Windows the root of the current drive.
std::string FallbackFolder();

} // namespace quillet
