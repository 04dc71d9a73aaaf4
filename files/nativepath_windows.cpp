#include "nativepath.h"
#include "widetext_windows.h"

#include <stdexcept>

namespace quillet {

std::filesystem::path NativePath(const std::string &bytes)
{
    const std::optional<std::wstring> wide = ToWide(bytes);
    if (!wide)
        throw std::invalid_argument("not a WTF-8 path: " + bytes);
    return *wide;
}

std::string PathBytes(const std::filesystem::path &path)
{
    return FromWide(path.native());
}

} // namespace quillet
