#include "namefile.h"
#include "renameerror.h"
#include "widetext_windows.h"

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

// A "\\?\" path passes MAX_PATH and is taken as it is: no trimming of the
// trailing spaces and dots that a name may well hold. It must be absolute,
// so a relative path keeps the ordinary rules.
std::wstring longPath(const std::wstring &path)
{
    const bool hasPrefix = path.starts_with(LR"(\\?\)") || path.starts_with(LR"(\\.\)");
    if (hasPrefix)
        return path;
    if (path.starts_with(LR"(\\)"))
        return LR"(\\?\UNC\)" + path.substr(2);
    const bool driveAbsolute = path.size() >= 3 && path[1] == L':' && path[2] == L'\\';
    return driveAbsolute ? LR"(\\?\)" + path : path;
}

RenameFailure failureOf(DWORD error)
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
        return RenameFailure::NameTooLong;
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
    throw RenameError(failureOf(error), bareName(from), bareName(to), SystemMessage(error));
}

} // namespace

void NameFile(const std::string &oldPath, const std::string &newPath)
{
    const std::string from = collapseSeparators(oldPath);
    const std::string to = collapseSeparators(newPath);
    RefuseUnusableName(bareName(from), bareName(to));
    const auto wideFrom = ToWide(from);
    const auto wideTo = ToWide(to);
    if (!wideFrom || !wideTo)
        throw RenameError(RenameFailure::InvalidName, bareName(from), bareName(to));
    // The same entry is only looked up, never renamed onto itself. The
    // attributes of a symbolic link are its own, so a dangling one is there.
    if (from == to) {
        if (GetFileAttributesW(longPath(*wideFrom).c_str()) == INVALID_FILE_ATTRIBUTES)
            failWithLastError(from, to);
        return;
    }
    if (!MoveFileExW(longPath(*wideFrom).c_str(), longPath(*wideTo).c_str(), kRenameOnly))
        failWithLastError(from, to);
}

} // namespace quillet
