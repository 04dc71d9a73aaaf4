#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

/// Lines kept end to end in one block of bytes, each found by where it ends:
/// a list of a million names makes no allocation per name, and copying one
/// into it costs little more than its bytes.
class LineBlock
{
public:
    void reserve(std::size_t count) { m_ends.reserve(count); }
    void append(std::string_view line)
    {
        m_bytes += line;
        m_ends.push_back(m_bytes.size());
    }
    std::size_t size() const { return m_ends.size(); }
    bool empty() const { return m_ends.empty(); }
    /// Line \a index; throws std::out_of_range past the last one.
    std::string_view at(std::size_t index) const
    {
        const std::size_t end = m_ends.at(index);
        const std::size_t start = index == 0 ? 0 : m_ends[index - 1];
        return std::string_view(m_bytes).substr(start, end - start);
    }

private:
    std::string m_bytes;
    std::vector<std::size_t> m_ends;
};

} // namespace quillet
