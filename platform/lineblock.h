#pragma once

#include <cstddef>
#include <stdexcept>
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
    /// Makes room for \a count lines of \a bytes in all.
    void reserve(std::size_t count, std::size_t bytes)
    {
        m_ends.reserve(count);
        m_bytes.reserve(bytes);
    }
    void append(std::string_view line)
    {
        m_bytes += line;
        m_ends.push_back(m_bytes.size());
    }
    std::size_t size() const { return m_ends.size(); }
    /// The bytes of all the lines.
    std::size_t bytes() const { return m_bytes.size(); }
    bool empty() const { return m_ends.empty(); }
    /// Line \a index, 0 <= index < size().
    std::string_view operator[](std::size_t index) const
    {
        const std::size_t start = index == 0 ? 0 : m_ends[index - 1];
        return std::string_view(m_bytes).substr(start, m_ends[index] - start);
    }
    /// Line \a index; throws std::out_of_range past the last one.
    std::string_view at(std::size_t index) const
    {
        if (index >= size())
            throw std::out_of_range("no such line");
        return (*this)[index];
    }
    /// Every line as a string of its own.
    std::vector<std::string> strings() const
    {
        std::vector<std::string> lines;
        lines.reserve(size());
        for (std::size_t index = 0; index < size(); ++index)
            lines.emplace_back((*this)[index]);
        return lines;
    }
    bool operator==(const LineBlock &) const = default;

private:
    std::string m_bytes;
    std::vector<std::size_t> m_ends;
};

} // namespace quillet
