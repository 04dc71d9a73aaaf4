#include "volumes.h"

#include <windows.h>

#include <array>

namespace quillet {

namespace {

// The label of the volume at \a root ("C:\"), or nothing when it has none or
// the drive holds no medium.
QString labelOf(const std::wstring &root)
{
    // An empty card reader or DVD drive must not make the system ask for a disk.
    DWORD previousMode = 0;
    ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previousMode);
    std::array<wchar_t, MAX_PATH + 1> label{};
    const bool known =
        ::GetVolumeInformationW(root.c_str(), label.data(), static_cast<DWORD>(label.size()),
                                nullptr, nullptr, nullptr, nullptr, 0) != 0;
    ::SetThreadErrorMode(previousMode, nullptr);
    return known ? QString::fromWCharArray(label.data()) : QString();
}

} // namespace

std::vector<Volume> ListedVolumes()
{
    std::vector<Volume> volumes;
    const DWORD drives = ::GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if ((drives & (1u << letter)) == 0)
            continue;
        const char drive = static_cast<char>('A' + letter);
        const std::string root{drive, ':', '\\'};
        const std::wstring wideRoot{static_cast<wchar_t>(drive), L':', L'\\'};
        volumes.push_back({root, QString::fromLatin1(root.data(), 2), labelOf(wideRoot)});
    }
    return volumes;
}

} // namespace quillet
