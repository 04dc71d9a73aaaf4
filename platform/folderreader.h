#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace quillet {

/// A folder that could not be opened or read; what() names it and says why.
class FolderError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

enum class EntryKind { Files, Folders };

/// The names, as raw bytes, of the entries of \a folder of the given kind,
/// in no particular order. Names that begin with '.' are hidden and left out.
/// A symbolic link counts as the kind of its target; a dangling one is left
/// out. Throws FolderError when the folder cannot be read.
std::vector<std::string> ReadFolder(const std::string &folder, EntryKind kind);

} // namespace quillet
