#pragma once

#include "fileidentity.h"

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

/// A file that a batch renamed (or an undo renamed back): its names before
/// and after, and which file it was.
struct Renamed
{
    std::string oldName;
    std::string newName;
    FileIdentity identity;

    /// False for a file renamed onto itself: its name held no space.
    bool nameChanged() const { return oldName != newName; }
};

/// Files renamed, in the order renamed. Their names lie end to end in one
/// block rather than in an allocation each, so that a batch of a million
/// files keeps little more than their names and identities. Files are handed
/// out by value.
class RenamedFiles
{
public:
    class Iterator
    {
    public:
        using value_type = Renamed;
        using difference_type = std::ptrdiff_t;

        Iterator() = default;
        Iterator(const RenamedFiles &files, std::size_t index) : m_files(&files), m_index(index) {}
        Renamed operator*() const { return (*m_files)[m_index]; }
        Iterator &operator++()
        {
            ++m_index;
            return *this;
        }
        Iterator operator++(int)
        {
            Iterator before = *this;
            ++m_index;
            return before;
        }
        bool operator==(const Iterator &) const = default;

    private:
        const RenamedFiles *m_files = nullptr;
        std::size_t m_index = 0;
    };

    /// Makes room for \a count files whose old and new names come to
    /// \a nameBytes in all.
    void reserve(std::size_t count, std::size_t nameBytes);
    void push_back(const Renamed &file);
    /// Keeps only the files whose names changed, in order.
    void eraseUnchanged();

    std::size_t size() const { return m_files.size(); }
    bool empty() const { return m_files.empty(); }
    /// File \a index, 0 <= index < size().
    Renamed operator[](std::size_t index) const;
    Renamed back() const { return (*this)[size() - 1]; }
    /// How many of the files' names changed.
    std::size_t changedCount() const { return m_changedCount; }
    /// The bytes of all the old and new names.
    std::size_t nameBytes() const { return m_names.size(); }
    Iterator begin() const { return {*this, 0}; }
    Iterator end() const { return {*this, size()}; }

private:
    // A file's old name, then its new one, end at these offsets into m_names;
    // its old name starts where the file before it ends.
    struct File
    {
        std::size_t oldEnd;
        std::size_t newEnd;
        FileIdentity identity;
    };

    std::string_view oldNameOf(std::size_t index) const;
    std::string_view newNameOf(std::size_t index) const;

    std::string m_names;
    std::vector<File> m_files;
    std::size_t m_changedCount = 0;
};

static_assert(std::input_iterator<RenamedFiles::Iterator>);

} // namespace quillet
