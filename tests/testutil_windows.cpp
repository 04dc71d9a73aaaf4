#include "testutil.h"
#include "widetext_windows.h"

#include <windows.h>

namespace testutil {

namespace {

// Removes \a path and everything below it through "\\?\" paths, which
// reach what the standard library cannot: names ending in a dot or a space,
// and paths longer than 260 characters.
void removeWideTree(const std::wstring &path)
{
    WIN32_FIND_DATAW entry{};
    const HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            const std::wstring child = path + L'\\' + name;
            if (name == L"." || name == L"..")
                continue;
            ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            const DWORD kind = entry.dwFileAttributes;
            // A link to a folder goes itself; what it points to stays.
            if ((kind & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
                (kind & FILE_ATTRIBUTE_DIRECTORY) != 0)
                ::RemoveDirectoryW(child.c_str());
            else if ((kind & FILE_ATTRIBUTE_DIRECTORY) != 0)
                removeWideTree(child);
            else
                ::DeleteFileW(child.c_str());
        } while (::FindNextFileW(find, &entry));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(path.c_str());
}

} // namespace

char separator()
{
    return '\\';
}

std::string rawNamePart()
{
    // A character beyond U+FFFF: two UTF-16 units, four bytes. (Windows also
    // allows lone surrogates, which the program keeps, but Wine cannot make
    // such names.)
    return "\xf0\x9f\x93\xb7";
}

bool foldersAreHeld()
{
    return false;
}

bool namesAreBytes()
{
    return false;
}

void removeTree(const std::string &path)
{
    if (const std::optional<std::wstring> wide = quillet::ToWide(path))
        removeWideTree(quillet::LongPath(*wide));
}

bool makeUnreadableFolder(const std::string &)
{
    return false;
}

bool makePipe(const std::string &)
{
    return false;
}

} // namespace testutil
