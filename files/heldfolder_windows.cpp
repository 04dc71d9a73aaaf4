#include "heldfolder.h"

namespace quillet {

// The folder is reached by its path; reading it tells whether it is there.
HeldFolder::HeldFolder(const std::string &path) : m_path(path) {}

HeldFolder::~HeldFolder() = default;

HeldFolder HeldFolder::Duplicate() const
{
    return {m_path, -1};
}

} // namespace quillet
