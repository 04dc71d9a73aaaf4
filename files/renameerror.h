#pragma once

#include "systemerror.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

namespace quillet {

/// Quillet's own refusals to rename, made before the system is asked, or from
/// what Quillet knows of the files its batches renamed.
enum class Refusal {
    /// What is left of a name made only of spaces.
    EmptyName,
    /// "." or "..", which name folders, or a name with a path separator.
    InvalidName,
    /// A new name that starts with a dot, which hides the file.
    HidingName,
    /// On Windows, a new name that Windows programs could not open.
    EndsInDot,
    ReservedName,
    /// Another file has taken the name since a batch gave it to the file
    /// that an undo is to rename back.
    Replaced,
    /// The file is gone because an earlier batch renamed it: told by the
    /// window, which knows what its batches renamed.
    RenamedEarlier,
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

/// A rename that did not happen: which names, why (Quillet's own refusal or
/// the system's answer), and what it left. The window makes the words the
/// user reads. \a oldName and \a newName are bare file names as bytes.
class RenameError : public std::runtime_error
{
public:
    RenameError(Refusal refusal, std::string_view oldName, std::string_view newName);
    RenameError(SystemError error, std::string_view oldName, std::string_view newName,
                RenameLeftover leftover = RenameLeftover::Nothing);

    /// Quillet's own refusal, or nullptr when the system refused.
    const Refusal *refusal() const { return std::get_if<Refusal>(&m_reason); }
    /// The system's answer, or nullptr when Quillet refused.
    const SystemError *systemError() const { return std::get_if<SystemError>(&m_reason); }
    const std::string &oldName() const { return m_oldName; }
    const std::string &newName() const { return m_newName; }
    RenameLeftover leftover() const { return m_leftover; }

private:
    std::variant<Refusal, SystemError> m_reason;
    RenameLeftover m_leftover = RenameLeftover::Nothing;
    std::string m_oldName;
    std::string m_newName;
};

/// Throws RenameError when the bare name \a newName cannot name a file of a
/// folder: Refusal::EmptyName when it is empty, InvalidName for "." and
/// "..", and HidingName when \a newName, unlike \a oldName, starts with a
/// dot: file managers and Quillet's own lists hide such a file, so to the
/// user it would be gone.
void RefuseUnusableName(std::string_view oldName, std::string_view newName);

} // namespace quillet
