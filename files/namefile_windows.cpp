#include "namefile.h"
#include "renameerror.h"
#include "widetext_windows.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <windows.h>

namespace quillet {

namespace {

// Neither MOVEFILE_REPLACE_EXISTING, so that the system itself refuses an
// existing new name in the same step as the rename, nor
// MOVEFILE_COPY_ALLOWED, so that a file is never copied and deleted instead.
constexpr DWORD kRenameOnly = 0;

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

// Runs of separators read as one ("C:\" joined with a name gives "C:\\name"),
// and '/' becomes '\', as "\\?\" paths take no other separator. The leading
// "\\" of a UNC path (\\server\share) or of a "\\?\" path stays.
std::string collapseSeparators(const std::string &path)
{
    std::string collapsed;
    collapsed.reserve(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (!isSeparator(path[i]))
            collapsed += path[i];
        else if (collapsed.empty() || collapsed.back() != '\\' || (i == 1 && collapsed == "\\"))
            collapsed += '\\';
    }
    return collapsed;
}

std::string_view bareName(std::string_view path)
{
    const auto separator = path.find_last_of('\\');
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

// The names Windows keeps for devices, alone or before an extension: a file
// "CON.txt" is the console to every Windows program.
bool isDeviceName(std::string_view name)
{
    static constexpr std::array<std::string_view, 28> kDevices{
        "CON",         "PRN",         "AUX",         "NUL",        "COM1",        "COM2",
        "COM3",        "COM4",        "COM5",        "COM6",       "COM7",        "COM8",
        "COM9",        "LPT1",        "LPT2",        "LPT3",       "LPT4",        "LPT5",
        "LPT6",        "LPT7",        "LPT8",        "LPT9",       "COM\xc2\xb9", "COM\xc2\xb2",
        "COM\xc2\xb3", "LPT\xc2\xb9", "LPT\xc2\xb2", "LPT\xc2\xb3"};
    const std::string_view base = name.substr(0, name.find('.'));
    const auto sameLetters = [base](std::string_view device) {
        return std::ranges::equal(base, device, [](char a, char b) {
            return (a >= 'a' && a <= 'z' ? static_cast<char>(a - 'a' + 'A') : a) == b;
        });
    };
    return std::ranges::any_of(kDevices, sameLetters);
}

// With "\\?\" paths the system would make names that Windows programs,
// which take paths without that prefix, can neither open nor delete.
void refuseNameWindowsCannotOpen(std::string_view oldName, std::string_view newName)
{
    if (newName.ends_with('.'))
        throw RenameError(RenameFailure::EndsInDot, oldName, newName);
    if (isDeviceName(newName))
        throw RenameError(RenameFailure::ReservedName, oldName, newName);
}

// Windows takes names of up to 255 UTF-16 units; a shorter name is too long
// only as part of its path.
RenameFailure tooLongFailure(std::string_view newName)
{
    constexpr std::size_t kMaxNameLength = 255;
    const auto wide = ToWide(newName);
    return wide && wide->size() <= kMaxNameLength ? RenameFailure::PathTooLong
                                                  : RenameFailure::NameTooLong;
}

RenameFailure failureOf(DWORD error, std::string_view newName)
{
    switch (error) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return RenameFailure::TargetExists;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return RenameFailure::SourceMissing;
    case ERROR_ACCESS_DENIED:
        return RenameFailure::PermissionDenied;
    case ERROR_WRITE_PROTECT:
        return RenameFailure::ReadOnlyFileSystem;
    case ERROR_FILENAME_EXCED_RANGE:
        return tooLongFailure(newName);
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
        return RenameFailure::InvalidName;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return RenameFailure::InUse;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return RenameFailure::NoSpace;
    default:
        return RenameFailure::Other;
    }
}

// Throws the failure that the system's last error stands for.
[[noreturn]] void failWithLastError(const std::string &from, const std::string &to)
{
    const DWORD error = GetLastError();
    throw RenameError(failureOf(error, bareName(to)), bareName(from), bareName(to),
                      SystemMessage(error));
}

} // namespace

void NameFile(const std::string &oldPath, const std::string &newPath)
{
    const std::string from = collapseSeparators(oldPath);
    const std::string to = collapseSeparators(newPath);
    RefuseUnusableName(bareName(from), bareName(to));
    refuseNameWindowsCannotOpen(bareName(from), bareName(to));
    const auto wideFrom = ToWide(from);
    const auto wideTo = ToWide(to);
    if (!wideFrom || !wideTo)
        throw RenameError(RenameFailure::InvalidName, bareName(from), bareName(to));
    // The same entry is only looked up, never renamed onto itself. The
    // attributes of a symbolic link are its own, so a dangling one is there.
    if (from == to) {
        if (GetFileAttributesW(LongPath(*wideFrom).c_str()) == INVALID_FILE_ATTRIBUTES)
            failWithLastError(from, to);
        return;
    }
    if (!MoveFileExW(LongPath(*wideFrom).c_str(), LongPath(*wideTo).c_str(), kRenameOnly))
        failWithLastError(from, to);
}

// The folder is reached by its path (see HeldFolder).
void FileRenamer::NameFile(const std::string &oldPath, const std::string &newPath)
{
    quillet::NameFile(oldPath, newPath);
}

} // namespace quillet
