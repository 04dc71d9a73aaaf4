#include "folderreader.h"

#include <windows.h>

#include <iterator>
#include <memory>
#include <string>

namespace quillet {

namespace {

std::wstring toWide(const std::string &utf8)
{
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string toUtf8(const wchar_t *wide)
{
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return {};
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), length, nullptr, nullptr);
    utf8.pop_back(); // the terminating null
    return utf8;
}

// The system's own wording for \a error, without the final full stop and
// line break that it ends with.
std::string systemMessage(DWORD error)
{
    wchar_t text[512] = {};
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                         0, text, static_cast<DWORD>(std::size(text)), nullptr);
    if (length == 0)
        return "system error " + std::to_string(error);
    std::string message = toUtf8(text);
    message.erase(message.find_last_not_of(". \r\n") + 1);
    return message;
}

std::string reasonFor(DWORD error)
{
    switch (error) {
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
        return "it no longer exists";
    case ERROR_DIRECTORY:
        return "it is not a folder";
    case ERROR_ACCESS_DENIED:
        return "you do not have permission to read it";
    default:
        return systemMessage(error);
    }
}

[[noreturn]] void throwFolderError(const std::string &folder, DWORD error)
{
    throw FolderError("Could not read the folder \"" + folder + "\": " + reasonFor(error) + ".");
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

// Whether \a path names an existing folder.
bool isFolder(const std::wstring &path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
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
    const HANDLE file =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return INVALID_FILE_ATTRIBUTES;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(file, &info) != 0;
    ::CloseHandle(file);
    return known ? info.dwFileAttributes : INVALID_FILE_ATTRIBUTES;
}

// Whether the entry is of \a kind. A reparse point (a symbolic link or a
// junction) is opened, so that its target decides, and dropped if it dangles.
bool isOfKind(const std::wstring &folder, const WIN32_FIND_DATAW &entry, EntryKind kind)
{
    DWORD attributes = entry.dwFileAttributes;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        attributes = targetAttributes(joinPath(folder, entry.cFileName));
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return false;
    }
    const bool folderEntry = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return folderEntry == (kind == EntryKind::Folders);
}

} // namespace

std::vector<std::string> ReadFolder(const std::string &folder, EntryKind kind,
                                    const NamePattern &filter)
{
    const std::wstring wideFolder = toWide(folder);
    WIN32_FIND_DATAW entry{};
    const HANDLE first =
        ::FindFirstFileExW(joinPath(wideFolder, L"*").c_str(), FindExInfoBasic, &entry,
                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    std::vector<std::string> names;
    if (first == INVALID_HANDLE_VALUE) {
        // An empty drive root has no "." entry, so nothing at all is found.
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND && isFolder(wideFolder))
            return names;
        throwFolderError(folder, error);
    }
    const FindHandle find(first);
    do {
        if (isHidden(entry))
            continue;
        std::string name = toUtf8(entry.cFileName);
        if (filter.matches(name) && isOfKind(wideFolder, entry, kind))
            names.push_back(std::move(name));
    } while (::FindNextFileW(find.get(), &entry));
    if (const DWORD error = ::GetLastError(); error != ERROR_NO_MORE_FILES)
        throwFolderError(folder, error);
    return names;
}

std::string CurrentFolder()
{
    const DWORD length = ::GetCurrentDirectoryW(0, nullptr);
    std::wstring path(length, L'\0');
    if (length == 0 || ::GetCurrentDirectoryW(length, path.data()) == 0)
        return ".";
    return toUtf8(path.c_str());
}

} // namespace quillet
