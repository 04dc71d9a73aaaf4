#pragma once

#include <stdexcept>
#include <string>

namespace quillet {

/// Why a rename failed, in terms a user can act on.
enum class RenameFailure {
    TargetExists,
    SourceMissing,
    PermissionDenied,
    ReadOnlyFileSystem,
    NameTooLong,
    InvalidName,
    EmptyName,
    InUse,
    NoSpace,
    Other,
};

/// A rename that did not happen. Both files are as they were before it.
class RenameError : public std::runtime_error
{
public:
    /// \a oldName and \a newName are bare file names as bytes; \a detail is the
    /// system's own wording, used only for RenameFailure::Other.
    RenameError(RenameFailure failure, const std::string &oldName, const std::string &newName,
                const std::string &detail = {});
    RenameFailure failure() const { return m_failure; }

private:
    RenameFailure m_failure;
};

} // namespace quillet
