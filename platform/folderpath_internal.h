#pragma once

#include <string>

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

/// The separator that the system writes between a folder and a name.
char PreferredSeparator();

} // namespace quillet
