#include "folderreader.h"
#include "widetext_windows.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace quillet {

namespace {

[[noreturn]] void throwFolderError(const std::string &folder, DWORD error)
{
    throw FolderError(folder, SystemErrorOf(error));
}

struct FindCloser
{
    using pointer = HANDLE;
    void operator()(HANDLE handle) const { ::FindClose(handle); }
};
using FindHandle = std::unique_ptr<void, FindCloser>;

// \a folder and \a name joined by one separator; a drive's root already ends
// in one.
std::wstring joinPath(const std::wstring &folder, const std::wstring &name)
{
    const bool hasSeparator = !folder.empty() && (folder.back() == L'\\' || folder.back() == L'/');
    return hasSeparator ? folder + name : folder + L'\\' + name;
}

bool isHidden(const WIN32_FIND_DATAW &entry)
{
    return entry.cFileName[0] == L'.' ||
           (entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

// The attributes of the target of the link at \a path, or
// INVALID_FILE_ATTRIBUTES when it dangles.
DWORD targetAttributes(const std::wstring &path)
{
    const HANDLE file = ::CreateFileW(LongPath(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return INVALID_FILE_ATTRIBUTES;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(file, &info) != 0;
    ::CloseHandle(file);
    return known ? info.dwFileAttributes : INVALID_FILE_ATTRIBUTES;
}

// The list of \a entries that the entry belongs in, or none. A reparse point
// (a symbolic link or a junction) is opened, so that its target decides, and
// belongs nowhere if it dangles.
std::vector<std::string> *listFor(const std::wstring &folder, const WIN32_FIND_DATAW &entry,
                                  FolderEntries &entries)
{
    DWORD attributes = entry.dwFileAttributes;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        attributes = targetAttributes(joinPath(folder, entry.cFileName));
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return nullptr;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? &entries.folders : &entries.files;
}

} // namespace

FolderEntries ReadFolder(const std::string &folder)
{
    const std::optional<std::wstring> wide = ToWide(folder);
    if (!wide)
        throw FolderError(folder, FolderRefusal::InvalidName);
    const std::wstring &wideFolder = *wide;
    WIN32_FIND_DATAW entry{};
    const HANDLE first =
        ::FindFirstFileExW(LongPath(joinPath(wideFolder, L"*")).c_str(), FindExInfoBasic, &entry,
                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    FolderEntries entries;
    if (first == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        const DWORD attributes = ::GetFileAttributesW(LongPath(wideFolder).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            // An empty drive root has no "." entry, so nothing at all is found.
            const bool isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (isFolder && error == ERROR_FILE_NOT_FOUND)
                return entries;
            // Asked to list a file, Windows answers "invalid name" or "path
            // not found", which would mislead.
            if (!isFolder)
                throwFolderError(folder, ERROR_DIRECTORY);
        }
        throwFolderError(folder, error);
    }
    const FindHandle find(first);
    do {
        if (isHidden(entry))
            continue;
        if (std::vector<std::string> *list = listFor(wideFolder, entry, entries))
            list->push_back(FromWide(entry.cFileName));
    } while (::FindNextFileW(find.get(), &entry));
    if (const DWORD error = ::GetLastError(); error != ERROR_NO_MORE_FILES)
        throwFolderError(folder, error);
    return entries;
}

FolderEntries ReadFolder(const HeldFolder &folder)
{
    return ReadFolder(folder.Path());
}

std::string CurrentFolder()
{
    const DWORD length = ::GetCurrentDirectoryW(0, nullptr);
    std::wstring path(length, L'\0');
    if (length == 0 || ::GetCurrentDirectoryW(length, path.data()) == 0)
        return ".";
    return FromWide(path.c_str());
}

} // namespace quillet
