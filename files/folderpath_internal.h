#pragma once

#include <string>
#include <string_view>

namespace quillet {

/// A path split into its root, in the form the system writes it, and what
/// follows the root, still to be taken apart.
struct RootedPath
{
    std::string root;
    std::string rest;
};

/// \a path split at its root; a relative path is first put below the current
/// working folder. Throws FolderError when that folder cannot be named.
/// One version per operating system.
RootedPath SplitRoot(const std::string &path);

/// Whether \a path starts at a root ("/", or on Windows "C:" or "\\server").
/// One version per operating system.
bool StartsAtRoot(std::string_view path);

/// The current working folder, which a relative \a path is read against.
/// Throws FolderError, naming \a path, when the system cannot name it.
std::string CurrentFolderFor(const std::string &path);

} // namespace quillet
