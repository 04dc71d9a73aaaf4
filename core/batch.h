#pragma once

#include "renamedfiles.h"

#include <cstdint>
#include <exception>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace quillet {

/// Renames files of one folder, named by their bare names (no folder part),
/// never overwriting another file.
class RenameService
{
public:
    virtual ~RenameService() = default;
    /// Renames the file named \a oldName to \a newName and returns the
    /// identity of the file it renamed, as far as the rename kept it. With
    /// \a expected, the file named \a oldName must be that file (IsSameFile):
    /// another one is refused and left alone. Throws on failure.
    virtual FileIdentity NameFile(const std::string &oldName, const std::string &newName,
                                  const std::optional<FileIdentity> &expected) = 0;
};

/// What one batch is to do, taken from the window when it starts, so that
/// nothing the user does meanwhile changes it.
struct BatchRequest
{
    /// The bare names of the files to rename, in the order to rename them.
    std::vector<std::string> names;
    bool replaceWithUnderscore = false;
};

/// What a batch or an undo did.
struct RenamingResult
{
    /// The files it was to rename.
    int total = 0;
    /// The files renamed, in the order renamed: the first renamed.size() of
    /// the total.
    RenamedFiles renamed;
    /// Why it stopped at the file after those renamed, when a rename failed.
    std::exception_ptr failure;
    /// Whether it stopped before the file after those renamed because it was
    /// asked to.
    bool stopRequested = false;

    /// The files it left as they were: the one it stopped at and those after.
    int untouchedCount() const { return total - static_cast<int>(renamed.size()); }
    /// The renamed files whose names changed.
    int changedCount() const;
};

/// Hears of a batch's or an undo's progress, on the thread that renames.
class RenamingObserver
{
public:
    virtual ~RenamingObserver() = default;
    /// The rename of file \a index, named \a name, is about to be asked for.
    virtual void Starting(int index, const std::string &name) = 0;
    /// \a file has been renamed.
    virtual void Done(const Renamed &file) = 0;
};

/// Renames the files of \a request, in order, to the names MakeNewName gives
/// them, through \a renamer. A file whose name holds no space is renamed onto
/// itself, which only checks that it is still there. Stops at the first
/// rename that fails, or before the next file once \a stop is requested: the
/// files before stay renamed; that file and those after are untouched.
RenamingResult RunRemoveSpaces(const BatchRequest &request, RenameService &renamer,
                               std::stop_token stop = {}, RenamingObserver *observer = nullptr);

/// Renames the files of \a renamed, which a batch renamed, back to their old
/// names, last first, so that each old name is free again before it is asked
/// for. Each must still be the file the batch renamed: one that has been
/// replaced since is left alone, and the undo stops there. Stops as
/// RunRemoveSpaces does. Its result lists the files named back, with their
/// names as the batch gave them as the old names.
RenamingResult UndoRenames(const RenamedFiles &renamed, RenameService &renamer,
                           std::stop_token stop = {}, RenamingObserver *observer = nullptr);

} // namespace quillet
