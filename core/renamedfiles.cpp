#include "renamedfiles.h"

#include <algorithm>
#include <string_view>

namespace quillet {

void RenamedFiles::reserve(std::size_t count, std::size_t nameBytes)
{
    m_files.reserve(count);
    m_names.reserve(nameBytes);
}

void RenamedFiles::push_back(const Renamed &file)
{
    m_names += file.oldName;
    const std::size_t oldEnd = m_names.size();
    m_names += file.newName;
    m_files.push_back({oldEnd, m_names.size(), file.identity});
    m_changedCount += file.nameChanged() ? 1 : 0;
}

Renamed RenamedFiles::operator[](std::size_t index) const
{
    return {std::string(oldNameOf(index)), std::string(newNameOf(index)), m_files[index].identity};
}

std::string_view RenamedFiles::oldNameOf(std::size_t index) const
{
    const std::size_t start = index == 0 ? 0 : m_files[index - 1].newEnd;
    return std::string_view(m_names).substr(start, m_files[index].oldEnd - start);
}

std::string_view RenamedFiles::newNameOf(std::size_t index) const
{
    const File &file = m_files[index];
    return std::string_view(m_names).substr(file.oldEnd, file.newEnd - file.oldEnd);
}

// Moves the names of the files kept down over those dropped, in one pass.
void RenamedFiles::eraseUnchanged()
{
    if (m_changedCount == size())
        return;
    std::size_t kept = 0;
    std::size_t keptEnd = 0;
    std::size_t start = 0;
    for (std::size_t index = 0; index < m_files.size(); ++index) {
        // A copy: the files kept are rewritten in place, at or behind this one.
        const File file = m_files[index];
        const std::size_t oldSize = file.oldEnd - start;
        const std::size_t newSize = file.newEnd - file.oldEnd;
        if (m_names.compare(start, oldSize, m_names, file.oldEnd, newSize) != 0) {
            std::copy(m_names.begin() + static_cast<std::ptrdiff_t>(start),
                      m_names.begin() + static_cast<std::ptrdiff_t>(file.newEnd),
                      m_names.begin() + static_cast<std::ptrdiff_t>(keptEnd));
            m_files[kept++] = {keptEnd + oldSize, keptEnd + oldSize + newSize, file.identity};
            keptEnd += oldSize + newSize;
        }
        start = file.newEnd;
    }
    m_files.resize(kept);
    m_names.resize(keptEnd);
}

} // namespace quillet
