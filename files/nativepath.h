#pragma once

#include <filesystem>
#include <string>

namespace quillet {

/// \a bytes, a path as the program keeps it (on Windows WTF-8, see
/// widetext_windows.h), as the standard library's path, which on Windows
/// would otherwise read a narrow string in the ANSI code page.
std::filesystem::path NativePath(const std::string &bytes);

/// \a path as the program keeps paths.
std::string PathBytes(const std::filesystem::path &path);

} // namespace quillet
