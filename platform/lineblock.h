#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

/// Lines kept end to end in one block of bytes, each found by where it ends:
/// a list of a million names makes no allocation per name, and copying one
/// into it costs little more than its bytes. Copies share the block until one
/// of them changes, so that a million names are handed to a worker without
/// copying them; a copy that only reads may go to another thread.
class LineBlock
{
public:
    /// Makes room for \a count lines of \a bytes in all.
    void reserve(std::size_t count, std::size_t bytes)
    {
        Block &block = own();
        block.ends.reserve(count);
        block.bytes.reserve(bytes);
    }
    void append(std::string_view line)
    {
        Block &block = own();
        block.bytes += line;
        block.ends.push_back(block.bytes.size());
    }
    std::size_t size() const { return m_block ? m_block->ends.size() : 0; }
    /// The bytes of all the lines.
    std::size_t bytes() const { return m_block ? m_block->bytes.size() : 0; }
    bool empty() const { return size() == 0; }
    /// Line \a index, 0 <= index < size().
    std::string_view operator[](std::size_t index) const
    {
        const std::vector<std::size_t> &ends = m_block->ends;
        const std::size_t start = index == 0 ? 0 : ends[index - 1];
        return std::string_view(m_block->bytes).substr(start, ends[index] - start);
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
    bool operator==(const LineBlock &other) const
    {
        return size() == other.size() && (empty() || *m_block == *other.m_block);
    }

private:
    struct Block
    {
        std::string bytes;
        std::vector<std::size_t> ends;
        bool operator==(const Block &) const = default;
    };

    /// The block, this copy's alone, to change. A copy that another thread
    /// has just let go of was read there before that: the fence orders those
    /// reads before the changes made here.
    Block &own()
    {
        if (!m_block)
            m_block = std::make_shared<Block>();
        else if (m_block.use_count() > 1)
            m_block = std::make_shared<Block>(*m_block);
        std::atomic_thread_fence(std::memory_order_acquire);
        return *m_block;
    }

    std::shared_ptr<Block> m_block;
};

} // namespace quillet
