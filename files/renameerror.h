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

/// What a failed rename of two steps could not take back: the file systems
/// that cannot rename without replacing in one step give a file its new name
/// first (a second name, or an empty file that claims it), and take that
/// back when the rest fails, which the system may refuse too.
enum class RenameLeftover {
    /// Both files are as they were before the rename.
    Nothing,
    /// The file has both its old and its new name.
    BothNames,
    /// The file keeps its old name, and an empty file holds the new one.
    EmptyFile,
};

/// A rename that did not happen. It says which names, why, and what it left;
/// the window makes the words the user reads.
class RenameError : public std::runtime_error
{
public:
    /// \a oldName and \a newName are bare file names as bytes; \a detail is
    /// the system's own wording of the error, told for RenameFailure::Other.
    explicit RenameError(RenameFailure failure, std::string_view oldName, std::string_view newName,
                         const std::string &detail = {},
                         RenameLeftover leftover = RenameLeftover::Nothing);

    RenameFailure failure() const { return m_failure; }
    const std::string &oldName() const { return m_oldName; }
    const std::string &newName() const { return m_newName; }
    const std::string &detail() const { return m_detail; }
    RenameLeftover leftover() const { return m_leftover; }

private:
    RenameFailure m_failure = RenameFailure::Other;
    RenameLeftover m_leftover = RenameLeftover::Nothing;
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
