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
    EndsInDot,
    ReservedName,
    InUse,
    NoSpace,
    Other,
};

/// A rename that did not happen. Both files are as they were before it.
class RenameError : public std::runtime_error
{
public:
    /// \a oldName and \a newName are bare file names as bytes; \a detail is the
    /// system's own wording, used only for RenameFailure::Other. what() is one
    /// sentence that names both files and says why, for example:
    /// Could not rename "a b.jpg" to "ab.jpg": a file named "ab.jpg" already exists.
    explicit RenameError(RenameFailure failure, std::string_view oldName, std::string_view newName,
                         const std::string &detail = {});

    /// The reason, for callers that act on it rather than show it.
    RenameFailure failure() const { return m_failure; }

private:
    RenameFailure m_failure = RenameFailure::Other;
};

/// Throws RenameError when the bare name \a newName cannot name a file of a
/// folder: EmptyName when it is empty (what is left of a name made only of
/// spaces), InvalidName for "." and "..", which name folders. \a oldName is
/// only quoted in the message.
void RefuseUnusableName(std::string_view oldName, std::string_view newName);

} // namespace quillet
