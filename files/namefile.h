#pragma once

#include "batch.h"
#include "heldfolder.h"

#include <optional>
#include <string>

namespace quillet {

/// What the file system of one folder was found to offer, asked once for all
/// its renames rather than for each file. Used on POSIX, where file systems
/// differ in both.
struct FileSystemFacts
{
    /// The first of the ways to rename without replacing that the file
    /// system has not answered "not offered here".
    int firstWay = 0;
    /// Whether the numbers it gives files are its own, which last.
    std::optional<bool> ownFileNumbers;
};

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
    FileSystemFacts m_facts;
};

} // namespace quillet
