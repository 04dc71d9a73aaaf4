#pragma once

#include "batch.h"

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

/// The rename service the batch uses on real files.
class FileRenamer final : public RenameService
{
public:
    /// Calls quillet::NameFile.
    void NameFile(const std::string &oldPath, const std::string &newPath) override
    {
        quillet::NameFile(oldPath, newPath);
    }
};

} // namespace quillet
