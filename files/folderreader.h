#pragma once

#include "heldfolder.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace quillet {

/// Why a folder could not be opened or read.
enum class FolderFailure {
    Missing,
    NotAFolder,
    PermissionDenied,
    /// A relative path, read against a current folder that has gone.
    CurrentFolderUnknown,
    /// On Windows, a path that is not valid UTF-8 and so names no folder.
    InvalidName,
    Other,
};

/// A folder that could not be opened or read: which one and why; the window
/// makes the words the user reads.
class FolderError : public std::runtime_error
{
public:
    /// \a detail is the system's own wording of the error, told for
    /// FolderFailure::Other.
    FolderError(const std::string &folder, FolderFailure failure, const std::string &detail = {})
        : std::runtime_error("could not read the folder \"" + folder + '"'), m_folder(folder),
          m_failure(failure), m_detail(detail)
    {
    }

    const std::string &folder() const { return m_folder; }
    FolderFailure failure() const { return m_failure; }
    const std::string &detail() const { return m_detail; }

private:
    std::string m_folder;
    FolderFailure m_failure;
    std::string m_detail;
};

/// The visible entries of a folder, each name as raw bytes (UTF-8 on
/// Windows), in no particular order.
struct FolderEntries
{
    std::vector<std::string> folders;
    std::vector<std::string> files;

    bool empty() const { return folders.empty() && files.empty(); }
    bool operator==(const FolderEntries &) const = default;
};

/// Reads the subfolders and the files of \a folder in one pass, which keeps
/// it open however its path changes meanwhile. Names that begin with '.' are
/// hidden and left out, and so, on Windows, are entries marked hidden or
/// system. A symbolic link counts as the kind of its target; a dangling one
/// is left out. Only regular files count as files. Throws FolderError when
/// the folder cannot be read.
FolderEntries ReadFolder(const HeldFolder &folder);

/// ReadFolder on the folder at the path \a folder.
FolderEntries ReadFolder(const std::string &folder);

/// The process's current working folder. When the system cannot name it
/// (for instance because it has been removed): on POSIX the name the shell
/// gave it ($PWD) unless that names another folder now, otherwise ".".
std::string CurrentFolder();

} // namespace quillet
