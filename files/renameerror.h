#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace quillet {

/// Why a rename failed, in terms a user can act on.
enum class RenameFailure {
    TargetExists,
    SourceMissing,
    PermissionDenied,
    ReadOnlyFileSystem,
    NameTooLong,
    PathTooLong,
    InvalidName,
    EmptyName,
    HidingName,
    EndsInDot,
    ReservedName,
    InUse,
    /// Another file has taken the name since a batch gave it to the file
    /// that an undo is to rename back.
    Replaced,
    /// The file is gone because an earlier batch renamed it: told by the
    /// window, which knows what its batches renamed.
    RenamedEarlier,
    NoSpace,
    Other,
};

/// A rename that did not happen. Both files are as they were before it. It
/// says which names and why; the window makes the words the user reads.
class RenameError : public std::runtime_error
{
public:
    /// \a oldName and \a newName are bare file names as bytes; \a detail is
    /// the system's own wording of the error, told for RenameFailure::Other.
    explicit RenameError(RenameFailure failure, std::string_view oldName, std::string_view newName,
                         const std::string &detail = {});

    RenameFailure failure() const { return m_failure; }
    const std::string &oldName() const { return m_oldName; }
    const std::string &newName() const { return m_newName; }
    const std::string &detail() const { return m_detail; }

private:
    RenameFailure m_failure = RenameFailure::Other;
    std::string m_oldName;
    std::string m_newName;
    std::string m_detail;
};

/// Throws RenameError when the bare name \a newName cannot name a file of a
/// folder: EmptyName when it is empty (what is left of a name made only of
/// spaces), InvalidName for "." and "..", which name folders, and HidingName
/// when \a newName, unlike \a oldName, starts with a dot: file managers and
/// Quillet's own lists hide such a file, so to the user it would be gone.
void RefuseUnusableName(std::string_view oldName, std::string_view newName);

} // namespace quillet
