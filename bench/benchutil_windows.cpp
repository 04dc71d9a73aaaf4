#include "benchutil.h"
#include "nativepath.h"
#include "widetext_windows.h"

#include <windows.h>

#include <filesystem>
#include <stdexcept>

namespace bench {

namespace {

// The names in \a folder (with a trailing separator), as Windows gives them.
std::vector<std::wstring> readWideNames(const std::wstring &folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    const HANDLE find =
        ::FindFirstFileExW((folder + L'*').c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                           nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (entry.cFileName[0] != L'.')
            names.emplace_back(entry.cFileName);
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
    return names;
}

} // namespace

TempFolder::TempFolder()
{
    const std::filesystem::path temp = std::filesystem::temp_directory_path();
    for (unsigned attempt = ::GetTickCount();; ++attempt) {
        const std::filesystem::path folder = temp / ("quillet-bench-" + std::to_string(attempt));
        if (std::filesystem::create_directory(folder)) {
            m_path = quillet::PathBytes(folder);
            return;
        }
    }
}

TempFolder::~TempFolder()
{
    std::filesystem::remove_all(quillet::NativePath(m_path));
}

void TempFolder::add(const std::string &name) const
{
    const std::wstring path = quillet::ToWide(m_path + '\\' + name).value();
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot create " + name);
    ::CloseHandle(file);
}

// Only an administrator may flush a whole volume: what is timed next shares
// the disk with Windows' own writing.
void TempFolder::writeOut() const {}

std::vector<std::string> readNames(const std::string &folder)
{
    std::vector<std::string> names;
    for (const std::wstring &name : readWideNames(quillet::ToWide(folder + '\\').value()))
        names.push_back(quillet::FromWide(name));
    return names;
}

namespace {

// Whether the entry at \a path itself could be looked up for its identity.
bool lookUp(const std::wstring &path)
{
    const HANDLE file = ::CreateFileW(
        path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    BY_HANDLE_FILE_INFORMATION identity{};
    const bool identified =
        file != INVALID_HANDLE_VALUE && ::GetFileInformationByHandle(file, &identity) != 0;
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
    return identified;
}

} // namespace

double renameBaseline(const std::string &folder, const std::vector<std::string> &names)
{
    const auto start = Clock::now();
    const std::wstring prefix = quillet::ToWide(folder + '\\').value();
    std::wstring newName;
    for (const std::string &utf8Name : names) {
        const std::wstring name = quillet::ToWide(utf8Name).value();
        newName.clear();
        for (const wchar_t c : name)
            if (c != L' ')
                newName += c;
        if (!lookUp(prefix + name) ||
            !::MoveFileExW((prefix + name).c_str(), (prefix + newName).c_str(), 0) ||
            !lookUp(prefix + newName))
            throw std::runtime_error("baseline rename failed: " + quillet::FromWide(name));
    }
    return millisecondsSince(start);
}

} // namespace bench
