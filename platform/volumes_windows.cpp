#include "volumes.h"

#include <windows.h>

#include <array>

namespace quillet {

std::vector<Volume> ListedVolumes()
{
    std::vector<Volume> volumes;
    const DWORD drives = ::GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if ((drives & (1u << letter)) == 0)
            continue;
        const char drive = static_cast<char>('A' + letter);
        const std::string root{drive, ':', '\\'};
        volumes.push_back({root, QString::fromLatin1(root.data(), 2), QString()});
    }
    return volumes;
}

// Every drive letter is offered, with no label when it has none or the drive
// holds no medium. A network drive whose server has gone may keep this
// waiting a long while.
std::optional<QString> AskVolume(const std::string &root)
{
    const std::wstring wideRoot(root.begin(), root.end());
    // An empty card reader or DVD drive must not make the system ask for a disk.
    DWORD previousMode = 0;
    ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previousMode);
    std::array<wchar_t, MAX_PATH + 1> label{};
    const bool known =
        ::GetVolumeInformationW(wideRoot.c_str(), label.data(), static_cast<DWORD>(label.size()),
                                nullptr, nullptr, nullptr, nullptr, 0) != 0;
    ::SetThreadErrorMode(previousMode, nullptr);
    return known ? QString::fromWCharArray(label.data()) : QString();
}

} // namespace quillet
