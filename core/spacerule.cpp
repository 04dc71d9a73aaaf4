#include "spacerule.h"

namespace quillet {

std::string MakeNewName(std::string_view name, bool replaceWithUnderscore)
{
    // Only byte 0x20 is a space here: tabs, no-break spaces and the bytes of
    // multi-byte UTF-8 sequences are never 0x20, so they are copied unchanged.
    std::string newName;
    newName.reserve(name.size());
    for (const char c : name) {
        if (c != ' ')
            newName += c;
        else if (replaceWithUnderscore)
            newName += '_';
    }
    return newName;
}

} // namespace quillet
