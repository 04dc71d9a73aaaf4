#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// Windows names are UTF-16 and may hold lone surrogates, which UTF-8 cannot
// carry. The program keeps them as WTF-8: UTF-8 in which a lone surrogate is
// written as the three bytes its code point would take. Every name then goes
// through bytes and back with each unit intact, and a space is still the one
// byte 0x20.

/// \a bytes (WTF-8) as the UTF-16 that Windows' wide calls take, or nothing
/// when they are not WTF-8.
std::optional<std::wstring> ToWide(std::string_view bytes);

/// \a wide as WTF-8; lone surrogates are kept, not replaced.
std::string FromWide(std::wstring_view wide);

/// \a path with the "\\?\" prefix that lifts the 260-character limit and
/// takes names as they are, without trimming trailing spaces and dots. Only
/// absolute paths ("C:\...", "\\server\share\...") get it; others are
/// returned as they are.
std::wstring LongPath(const std::wstring &path);

/// The system's own wording for \a error, without the full stop and line
/// break it ends with, so that callers can put it inside their own sentence.
std::string SystemMessage(DWORD error);

} // namespace quillet
