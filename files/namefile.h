#pragma once

#include "batch.h"
#include "heldfolder.h"

#include <string>

namespace quillet {

/// Renames the file at \a oldPath to \a newPath and throws RenameError when it
/// cannot. Never overwrites an existing file, not even one that another
/// process creates at the same moment, never copies, and renames a symbolic
/// link itself rather than its target. Runs of path separators read as one.
/// When both paths name the same existing entry nothing is touched. A new
/// name that is empty, "." or ".." is refused before the system is asked.
/// The paths are bytes as the system takes them (UTF-8 on Windows).
void NameFile(const std::string &oldPath, const std::string &newPath);

/// The rename service the batch uses on real files: NameFile, for one batch
/// of renames in one folder.
class FileRenamer final : public RenameService
{
public:
    /// Renames by the paths as given.
    FileRenamer() = default;
    /// Renames the files directly in \a folder through it: a path whose
    /// folder part is folder.Path() names the file of the folder that was
    /// opened, wherever it now is. \a folder must outlive the renamer.
    explicit FileRenamer(const HeldFolder &folder) : m_folder(&folder) {}

    void NameFile(const std::string &oldPath, const std::string &newPath) override;

private:
    const HeldFolder *m_folder = nullptr;
    // Where the system offers more than one way to rename without replacing
    // (POSIX), the first way not yet answered "not offered here": the file
    // system is asked that once, not again for each file.
    int m_firstWay = 0;
};

} // namespace quillet
