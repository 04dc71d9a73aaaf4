#include "widetext_windows.h"

#include <array>
#include <cwctype>

namespace quillet {

namespace {

constexpr char32_t kHighSurrogateFirst = 0xD800;
constexpr char32_t kLowSurrogateFirst = 0xDC00;
constexpr char32_t kLowSurrogateLast = 0xDFFF;

bool isHighSurrogate(char32_t unit)
{
    return unit >= kHighSurrogateFirst && unit < kLowSurrogateFirst;
}

bool isLowSurrogate(char32_t unit)
{
    return unit >= kLowSurrogateFirst && unit <= kLowSurrogateLast;
}

// The code point that starts at \a pos, moving \a pos past it, or nothing
// when the bytes there are not a shortest-form sequence of at most U+10FFFF.
std::optional<char32_t> decodeAt(std::string_view bytes, std::size_t &pos)
{
    const auto lead = static_cast<unsigned char>(bytes[pos++]);
    if (lead < 0x80)
        return lead;
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || pos + length - 1 > bytes.size())
        return std::nullopt;
    char32_t point = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[pos++]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        point = (point << 6) | (next & 0x3F);
    }
    constexpr std::array<char32_t, 5> kSmallest{0, 0, 0x80, 0x800, 0x10000};
    if (point < kSmallest[length] || point > 0x10FFFF)
        return std::nullopt;
    return point;
}

void appendUtf16(std::wstring &wide, char32_t point)
{
    if (point < 0x10000) {
        wide += static_cast<wchar_t>(point);
        return;
    }
    point -= 0x10000;
    wide += static_cast<wchar_t>(kHighSurrogateFirst + (point >> 10));
    wide += static_cast<wchar_t>(kLowSurrogateFirst + (point & 0x3FF));
}

void appendBytes(std::string &bytes, char32_t point)
{
    if (point < 0x80) {
        bytes += static_cast<char>(point);
        return;
    }
    const int length = point < 0x800 ? 2 : point < 0x10000 ? 3 : 4;
    constexpr std::array<unsigned char, 5> kLeadMark{0, 0, 0xC0, 0xE0, 0xF0};
    bytes += static_cast<char>(kLeadMark[length] | (point >> (6 * (length - 1))));
    for (int shift = 6 * (length - 2); shift >= 0; shift -= 6)
        bytes += static_cast<char>(0x80 | ((point >> shift) & 0x3F));
}

} // namespace

std::optional<std::wstring> ToWide(std::string_view bytes)
{
    std::wstring wide;
    wide.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::optional<char32_t> point = decodeAt(bytes, pos);
        if (!point)
            return std::nullopt;
        appendUtf16(wide, *point);
    }
    return wide;
}

std::string FromWide(std::wstring_view wide)
{
    std::string bytes;
    bytes.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t point = static_cast<char16_t>(wide[i]);
        if (isHighSurrogate(point) && i + 1 < wide.size() &&
            isLowSurrogate(static_cast<char16_t>(wide[i + 1]))) {
            const char32_t low = static_cast<char16_t>(wide[++i]);
            point = 0x10000 + ((point - kHighSurrogateFirst) << 10) + (low - kLowSurrogateFirst);
        }
        appendBytes(bytes, point);
    }
    return bytes;
}

std::wstring LongPath(const std::wstring &path)
{
    const bool hasPrefix = path.starts_with(LR"(\\?\)") || path.starts_with(LR"(\\.\)");
    if (hasPrefix)
        return path;
    if (path.starts_with(LR"(\\)"))
        return LR"(\\?\UNC\)" + path.substr(2);
    const bool driveAbsolute = path.size() >= 3 && path[1] == L':' && path[2] == L'\\';
    return driveAbsolute ? LR"(\\?\)" + path : path;
}

std::string SystemMessage(DWORD error)
{
    std::array<wchar_t, 512> buffer{};
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       0, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr);
    std::wstring_view message(buffer.data(), length);
    while (!message.empty() && (message.back() == L'.' || std::iswspace(message.back())))
        message.remove_suffix(1);
    return message.empty() ? "system error " + std::to_string(error) : FromWide(message);
}

} // namespace quillet
