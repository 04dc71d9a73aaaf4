#pragma once

#include "batch.h"
#include "heldfolder.h"

#include <string>

namespace quillet {

/// The rename service on real files: renames files of one held folder by
/// their bare names, and throws RenameError when it cannot. Never overwrites
/// an existing file, not even one that another process creates at the same
/// moment, never copies, and renames a symbolic link itself rather than its
/// target. When both names are the same, the file is only looked up. A new
/// name that is empty, "." or "..", or that holds a path separator, is
/// refused before the system is asked. Names are bytes as the system takes
/// them (UTF-8 on Windows).
class FileRenamer final : public RenameService
{
public:
    /// Renames the files of \a folder, the folder that was opened, wherever
    /// it now is.
    explicit FileRenamer(HeldFolder folder) : m_folder(std::move(folder)) {}

    FileIdentity NameFile(const std::string &oldName, const std::string &newName,
                          const std::optional<FileIdentity> &expected) override;

private:
    HeldFolder m_folder;
    // Where the system offers more than one way to rename without replacing
    // (POSIX), the first way not yet answered "not offered here": the file
    // system is asked that once, not again for each file.
    int m_firstWay = 0;
};

} // namespace quillet
