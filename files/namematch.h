#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillet {

/// A file-name pattern: one or more wildcard patterns separated by ';', each
/// matched against the whole name. '*' matches any run of bytes, '?' any one
/// character (one UTF-8 sequence, or one byte that is not part of one);
/// letters match without regard to ASCII case. A space is an ordinary
/// character. Empty alternatives are ignored, so an empty pattern matches
/// nothing.
class NamePattern
{
public:
    explicit NamePattern(std::string_view pattern);
    bool matches(std::string_view name) const;

private:
    std::vector<std::string> m_alternatives;
};

/// Orders names as file managers do: case-insensitively, with runs of
/// digits compared by value ("IMG 2" before "IMG 10"). Ties are broken by
/// the raw bytes so that the order is total.
bool NaturalLess(std::string_view a, std::string_view b);

} // namespace quillet
