#include "nativepath.h"

namespace quillet {

std::filesystem::path NativePath(const std::string &bytes)
{
    return bytes;
}

std::string PathBytes(const std::filesystem::path &path)
{
    return path.native();
}

} // namespace quillet
