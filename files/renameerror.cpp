#include "renameerror.h"

namespace quillet {

namespace {

std::string quoted(std::string_view name)
{
    return '"' + std::string(name) + '"';
}

// The same words on every system, so that a user reads one reason for one
// cause whatever error code the system gave for it.
std::string reason(RenameFailure failure, std::string_view newName, const std::string &detail)
{
    switch (failure) {
    case RenameFailure::TargetExists:
        return "a file named " + quoted(newName) + " already exists";
    case RenameFailure::SourceMissing:
        return "the file no longer exists";
    case RenameFailure::PermissionDenied:
        return "permission was denied";
    case RenameFailure::ReadOnlyFileSystem:
        return "the file system is read-only";
    case RenameFailure::NameTooLong:
        return "the new name is too long";
    case RenameFailure::PathTooLong:
        return "the full path of the new name, folders included, is too long";
    case RenameFailure::InvalidName:
        return "the new name is not valid here";
    case RenameFailure::EmptyName:
        return "the new name would be empty, as the name is made only of spaces";
    case RenameFailure::EndsInDot:
        return "Windows programs could neither open nor delete a file whose name ends in a dot";
    case RenameFailure::ReservedName:
        return quoted(newName.substr(0, newName.find('.'))) +
               " is a device name that Windows reserves";
    case RenameFailure::InUse:
        return "the file is in use";
    case RenameFailure::NoSpace:
        return "there is no space left on the drive";
    case RenameFailure::Other:
        break;
    }
    return detail.empty() ? "the system gave no reason" : detail;
}

std::string sentence(RenameFailure failure, std::string_view oldName, std::string_view newName,
                     const std::string &detail)
{
    return "Could not rename " + quoted(oldName) + " to " + quoted(newName) + ": " +
           reason(failure, newName, detail) + '.';
}

} // namespace

RenameError::RenameError(RenameFailure failure, std::string_view oldName, std::string_view newName,
                         const std::string &detail)
    : std::runtime_error(sentence(failure, oldName, newName, detail)), m_failure(failure)
{
}

void RefuseUnusableName(std::string_view oldName, std::string_view newName)
{
    if (newName.empty())
        throw RenameError(RenameFailure::EmptyName, oldName, newName);
    if (newName == "." || newName == "..")
        throw RenameError(RenameFailure::InvalidName, oldName, newName);
}

} // namespace quillet
