#pragma once

#include <string>
#include <string_view>

namespace quillet {

/// Returns \a name with every space (byte 0x20) removed, or replaced by an
/// underscore when \a replaceWithUnderscore is true. Every other byte is kept
/// as it is, so names that are not valid UTF-8 pass through unharmed.
std::string MakeNewName(std::string_view name, bool replaceWithUnderscore);

} // namespace quillet
