#include "renameerror.h"

namespace quillet {

RenameError::RenameError(Refusal refusal, std::string_view oldName, std::string_view newName)
    : std::runtime_error("could not rename \"" + std::string(oldName) + '"'), m_reason(refusal),
      m_oldName(oldName), m_newName(newName)
{
}

RenameError::RenameError(SystemError error, std::string_view oldName, std::string_view newName,
                         RenameLeftover leftover)
    : std::runtime_error("could not rename \"" + std::string(oldName) + '"'),
      m_reason(std::move(error)), m_leftover(leftover), m_oldName(oldName), m_newName(newName)
{
}

void RefuseUnusableName(std::string_view oldName, std::string_view newName)
{
    if (newName.empty())
        throw RenameError(Refusal::EmptyName, oldName, newName);
    if (newName == "." || newName == "..")
        throw RenameError(Refusal::InvalidName, oldName, newName);
    if (newName.starts_with('.') && !oldName.starts_with('.'))
        throw RenameError(Refusal::HidingName, oldName, newName);
}

} // namespace quillet
