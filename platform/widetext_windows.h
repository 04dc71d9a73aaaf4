#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace quillet {

/// \a utf8 in the UTF-16 that Windows' wide calls take, or nothing when it
/// is not valid UTF-8.
std::optional<std::wstring> ToWide(const std::string &utf8);

/// \a wide as UTF-8.
std::string ToUtf8(std::wstring_view wide);

/// The system's own wording for \a error, without the full stop and line
/// break it ends with, so that callers can put it inside their own sentence.
std::string SystemMessage(DWORD error);

} // namespace quillet
