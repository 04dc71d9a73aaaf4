#include "renameerror.h"

namespace quillet {

RenameError::RenameError(RenameFailure failure, std::string_view oldName, std::string_view newName,
                         const std::string &detail, RenameLeftover leftover)
    : std::runtime_error("could not rename \"" + std::string(oldName) + '"'), m_failure(failure),
      m_leftover(leftover), m_oldName(oldName), m_newName(newName), m_detail(detail)
{
}

void RefuseUnusableName(std::string_view oldName, std::string_view newName)
{
    if (newName.empty())
        throw RenameError(RenameFailure::EmptyName, oldName, newName);
    if (newName == "." || newName == "..")
        throw RenameError(RenameFailure::InvalidName, oldName, newName);
    if (newName.starts_with('.') && !oldName.starts_with('.'))
        throw RenameError(RenameFailure::HidingName, oldName, newName);
}

} // namespace quillet
