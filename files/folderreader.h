#pragma once

#include "heldfolder.h"
#include "systemerror.h"

#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace quillet {

/// Quillet's own reasons not to read a folder, apart from the system's.
enum class FolderRefusal {
    /// A relative path, read against a current folder that has gone.
    CurrentFolderUnknown,
    /// On Windows, a path that is not valid UTF-8 and so names no folder.
    InvalidName,
};

/// A folder that could not be opened or read: which one and why (Quillet's
/// own refusal or the system's answer); the window makes the words the user
/// reads.
class FolderError : public std::runtime_error
{
public:
    FolderError(const std::string &folder, std::variant<FolderRefusal, SystemError> reason)
        : std::runtime_error("could not read the folder \"" + folder + '"'), m_folder(folder),
          m_reason(std::move(reason))
    {
    }

    const std::string &folder() const { return m_folder; }
    /// Quillet's own refusal, or nullptr when the system refused.
    const FolderRefusal *refusal() const { return std::get_if<FolderRefusal>(&m_reason); }
    /// The system's answer, or nullptr when Quillet refused.
    const SystemError *systemError() const { return std::get_if<SystemError>(&m_reason); }

private:
    std::string m_folder;
    std::variant<FolderRefusal, SystemError> m_reason;
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
