#include "spacerule.h"

#include <algorithm>

namespace quillet {

std::string MakeNewName(std::string_view name, bool replaceWithUnderscore)
{
    // Only byte 0x20 is a space here: tabs, no-break spaces and the bytes of
    // multi-byte UTF-8 sequences are never 0x20, so they are copied unchanged.
    // Made at its exact size: a short name then fits in the string itself,
    // and a batch keeps no spare bytes per name.
    const auto spaces = static_cast<std::size_t>(std::ranges::count(name, ' '));
    std::string newName(replaceWithUnderscore ? name.size() : name.size() - spaces, '_');
    if (replaceWithUnderscore)
        std::ranges::replace_copy(name, newName.begin(), ' ', '_');
    else
        std::ranges::remove_copy(name, newName.begin(), ' ');
    return newName;
}

} // namespace quillet
