#include "namematch.h"

#include <algorithm>

namespace quillet {

namespace {

unsigned char foldCase(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The position just past the character that starts at \a pos: a lead byte
// takes its continuation bytes along, so that '?' stands for one character
// of a UTF-8 name, and a stray byte is a character of its own.
std::size_t nextCharacter(std::string_view name, std::size_t pos)
{
    ++pos;
    while (pos < name.size() && isContinuationByte(name[pos]))
        ++pos;
    return pos;
}

// Advances \a n past the part of \a name that the pattern character \a token
// matches, if it matches there.
bool matchesAt(char token, std::string_view name, std::size_t &n)
{
    if (token == '?') {
        n = nextCharacter(name, n);
        return true;
    }
    if (static_cast<unsigned char>(token) != foldCase(name[n]))
        return false;
    ++n;
    return true;
}

// Matches \a name against one alternative, already case-folded. Only the
// latest '*' needs to be retried: a later star can absorb whatever an earlier
// one would have, so no search ever goes back further.
bool matchesWildcard(std::string_view pattern, std::string_view name)
{
    constexpr std::size_t noStar = std::string_view::npos;
    // What follows the last '*', when it holds no '?', must end the name:
    // checked first, it settles most names ("*.JPG") without the search.
    const std::size_t lastStar = pattern.rfind('*');
    if (lastStar != noStar && pattern.find('?', lastStar) == noStar) {
        const std::string_view tail = pattern.substr(lastStar + 1);
        if (name.size() < tail.size() ||
            !std::ranges::equal(tail, name.substr(name.size() - tail.size()), {}, {},
                                [](char c) { return static_cast<char>(foldCase(c)); }))
            return false;
        if (pattern.find_first_not_of('*') > lastStar)
            return true;
    }
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t afterStar = noStar;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            afterStar = ++p;
            starName = n;
        } else if (p < pattern.size() && matchesAt(pattern[p], name, n)) {
            ++p;
        } else if (afterStar != noStar) {
            p = afterStar;
            n = ++starName;
        } else {
            return false;
        }
    }
    return pattern.find_first_not_of('*', p) == std::string_view::npos;
}

// The digit run that starts at \a pos, without its leading zeros; moves
// \a pos past the run.
std::string_view digitRun(std::string_view s, std::size_t &pos)
{
    const std::size_t start = pos;
    while (pos < s.size() && isDigit(s[pos]))
        ++pos;
    std::string_view run = s.substr(start, pos - start);
    run.remove_prefix(std::min(run.find_first_not_of('0'), run.size()));
    return run;
}

// Compares the digit runs at \a i and \a j by value and moves both positions
// past them. Runs of any length compare correctly because no number is parsed.
int compareNumbers(std::string_view a, std::size_t &i, std::string_view b, std::size_t &j)
{
    const std::string_view x = digitRun(a, i);
    const std::string_view y = digitRun(b, j);
    if (x.size() != y.size())
        return x.size() < y.size() ? -1 : 1;
    return x.compare(y);
}

// The natural order without the tie-break: names that differ only in case or
// in leading zeros compare equal here.
int naturalCompare(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            if (const int order = compareNumbers(a, i, b, j); order != 0)
                return order;
            continue;
        }
        // A digit against any other character compares by its own byte; all
        // digits sit between the same two neighbours, so every number falls
        // on the same side of that character.
        const unsigned char x = foldCase(a[i++]);
        const unsigned char y = foldCase(b[j++]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return static_cast<int>(i < a.size()) - static_cast<int>(j < b.size());
}

} // namespace

NamePattern::NamePattern(std::string_view pattern)
{
    while (!pattern.empty()) {
        const std::size_t end = std::min(pattern.find(';'), pattern.size());
        if (end > 0) {
            std::string alternative(pattern.substr(0, end));
            std::transform(alternative.begin(), alternative.end(), alternative.begin(),
                           [](char c) { return static_cast<char>(foldCase(c)); });
            m_alternatives.push_back(std::move(alternative));
        }
        pattern.remove_prefix(std::min(end + 1, pattern.size()));
    }
}

bool NamePattern::matches(std::string_view name) const
{
    return std::any_of(
        m_alternatives.begin(), m_alternatives.end(),
        [name](const std::string &alternative) { return matchesWildcard(alternative, name); });
}

bool NaturalLess(std::string_view a, std::string_view b)
{
    const int order = naturalCompare(a, b);
    return order != 0 ? order < 0 : a < b;
}

} // namespace quillet
