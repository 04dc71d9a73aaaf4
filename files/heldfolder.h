#pragma once

#include <string>
#include <utility>

namespace quillet {

/// A folder held open from the moment it is read, so that what is later done
/// to its entries happens in that folder, even if it has been moved or another
/// folder has taken its path meanwhile. On POSIX it is an open descriptor,
/// through which folders deeper than the system's path limit are reached too.
/// On Windows it is only the path, whose "\\?\" form already lifts the limit.
class HeldFolder
{
public:
    /// Holds no folder: entries are reached by their paths as given.
    HeldFolder() = default;
    /// Opens the folder \a path. Throws FolderError when it cannot.
    explicit HeldFolder(const std::string &path);
    HeldFolder(const HeldFolder &) = delete;
    HeldFolder &operator=(const HeldFolder &) = delete;
    HeldFolder(HeldFolder &&other) noexcept
        : m_path(std::move(other.m_path)), m_descriptor(std::exchange(other.m_descriptor, -1))
    {
    }
    /// The folder held before is let go when \a other is.
    HeldFolder &operator=(HeldFolder &&other) noexcept
    {
        std::swap(m_path, other.m_path);
        std::swap(m_descriptor, other.m_descriptor);
        return *this;
    }
    ~HeldFolder();

    /// Another hold on the same folder, which lasts when this one is let go.
    /// Throws FolderError when the system has no hold left to give.
    HeldFolder Duplicate() const;

    /// Whether no folder is held open. One held by its path alone, as on
    /// Windows, holds nothing that the system must let go of.
    bool empty() const { return m_descriptor < 0; }
    /// The path the folder was opened by.
    const std::string &Path() const { return m_path; }
    /// The open folder's descriptor on POSIX; -1 when none is held, and
    /// always on Windows.
    int Descriptor() const { return m_descriptor; }

private:
    HeldFolder(std::string path, int descriptor) : m_path(std::move(path)), m_descriptor(descriptor)
    {
    }

    std::string m_path;
    int m_descriptor = -1;
};

} // namespace quillet
