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
// which take paths without that prefix, can neither open nor delete. A name
// with a separator would reach into another folder, and one with a colon
// into a stream of another file.
void refuseNameWindowsCannotOpen(std::string_view oldName, std::string_view newName)
{
    const auto unsafe = [](std::string_view name) {
        return name.find_first_of("\\/:") != std::string_view::npos;
    };
    if (unsafe(oldName) || unsafe(newName))
        throw RenameError(Refusal::InvalidName, oldName, newName);
    if (newName.ends_with('.'))
        throw RenameError(Refusal::EndsInDot, oldName, newName);
    if (isDeviceName(newName))
        throw RenameError(Refusal::ReservedName, oldName, newName);
}

// Windows takes names of up to 255 UTF-16 units; a shorter name is too long
// only as part of its path.
[[noreturn]] void failWithLastError(std::string_view from, std::string_view to)
{
    constexpr std::size_t kMaxNameLength = 255;
    SystemError error = SystemErrorOf(GetLastError());
    const auto wide = ToWide(to);
    if (error.failure == SystemFailure::PathTooLong && !(wide && wide->size() <= kMaxNameLength))
        error.failure = SystemFailure::NameTooLong;
    throw RenameError(std::move(error), from, to);
}

// The one place where a name becomes a path: the held folder's, with the
// "\\?\" prefix that lifts the length limit and keeps names as they are.
std::wstring pathIn(const HeldFolder &folder, const std::string &oldName,
                    const std::string &newName, const std::string &name)
{
    std::string path = folder.Path();
    if (!path.ends_with('\\') && !path.ends_with('/'))
        path += '\\';
    path += name;
    const auto wide = ToWide(path);
    if (!wide)
        throw RenameError(Refusal::InvalidName, oldName, newName);
    return LongPath(*wide);
}

// The identity of the entry at \a path itself (a link, not its target), or
// nothing, with the system's last error set, when it cannot be looked at.
std::optional<FileIdentity> identityOf(const std::wstring &path)
{
    const HANDLE file =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(file, &information) != 0;
    const DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(error);
    if (!known)
        return std::nullopt;
    const auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
    const auto time = [&](const FILETIME &at) {
        return static_cast<std::int64_t>(join(at.dwHighDateTime, at.dwLowDateTime));
    };
    constexpr DWORD kType = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    return FileIdentity{
        FileNumber{information.dwVolumeSerialNumber,
                   join(information.nFileIndexHigh, information.nFileIndexLow)},
        time(information.ftCreationTime), information.dwFileAttributes & kType,
        join(information.nFileSizeHigh, information.nFileSizeLow),
        time(information.ftLastWriteTime)};
}

} // namespace

FileIdentity FileRenamer::NameFile(const std::string &oldName, const std::string &newName,
                                   const std::optional<FileIdentity> &expected)
{
    RefuseUnusableName(oldName, newName);
    refuseNameWindowsCannotOpen(oldName, newName);
    const std::wstring from = pathIn(m_folder, oldName, newName, oldName);
    const std::wstring to = pathIn(m_folder, oldName, newName, newName);
    // The file is looked at before it is renamed: should another take its
    // name in between, the file renamed is not the one told, and an undo
    // leaves it alone rather than renaming a file the batch did not.
    const std::optional<FileIdentity> identity = identityOf(from);
    if (!identity)
        failWithLastError(oldName, newName);
    // An undo renames back only the file the batch renamed.
    if (expected && !IsSameFile(*expected, *identity))
        throw RenameError(Refusal::Replaced, oldName, newName);
    // The same entry is only looked at, never renamed onto itself.
    if (oldName == newName)
        return *identity;
    if (!MoveFileExW(from.c_str(), to.c_str(), kRenameOnly))
        failWithLastError(oldName, newName);
    // FAT numbers a file by where its name lies in the folder, and a longer
    // name may move it; NTFS keeps the number.
    return KeptAcrossRename(*identity, identityOf(to).value_or(FileIdentity{}));
}

} // namespace quillet
