#pragma once

#include "heldfolder.h"
#include "namematch.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace quillet {

/// A folder that could not be opened or read; what() names it and says why.
class FolderError : public std::runtime_error
{
public:
    /// \a reason completes "Could not read the folder "<folder>": ...".
    FolderError(const std::string &folder, const std::string &reason)
        : std::runtime_error("Could not read the folder \"" + folder + "\": " + reason + ".")
    {
    }
};

enum class EntryKind { Files, Folders };

/// The names, as raw bytes (UTF-8 on Windows), of the entries of \a folder of
/// the given kind whose names match \a filter, in no particular order. Names
/// that begin with '.' are hidden and left out, and so, on Windows, are
/// entries marked hidden or system. A symbolic link counts as the kind of its
/// target; a dangling one is left out. Only regular files count as files.
/// The filter is applied before an entry's kind is looked up, so names it
/// rejects cost no further system call. Throws FolderError when the folder
/// cannot be read.
std::vector<std::string> ReadFolder(const std::string &folder, EntryKind kind,
                                    const NamePattern &filter);

/// ReadFolder on the folder \a folder holds open, which is read there even if
/// its path has been moved or taken by another folder since it was opened.
std::vector<std::string> ReadFolder(const HeldFolder &folder, EntryKind kind,
                                    const NamePattern &filter);

/// The names of all the entries of \a folder of the given kind, as above.
inline std::vector<std::string> ReadFolder(const std::string &folder, EntryKind kind)
{
    return ReadFolder(folder, kind, NamePattern("*"));
}

/// The process's current working folder, or "." when the system cannot name
/// it (for instance because it has been removed).
std::string CurrentFolder();

} // namespace quillet
