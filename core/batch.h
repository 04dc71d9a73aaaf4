#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace quillet {

/// The names the batch renames, in the order it renames them.
class NameList
{
public:
    virtual ~NameList() = default;
    virtual int ListCount() const = 0;
    /// The bare file name (no folder) of entry \a index, 0 <= index < ListCount().
    virtual std::string List(int index) const = 0;
};

/// The folder that holds the listed files.
class FolderSource
{
public:
    virtual ~FolderSource() = default;
    virtual std::string FolderPath() const = 0;
};

/// The state of the "replace with underscore" choice: 0 unchecked, 1 checked, 2 grayed.
class UnderscoreFlag
{
public:
    virtual ~UnderscoreFlag() = default;
    virtual int Value() const = 0;
};

/// Where the batch reports the new names.
class ResultSink
{
public:
    virtual ~ResultSink() = default;
    virtual void Clear() = 0;
    /// Appends \a item at the end.
    virtual void AddItem(const std::string &item) = 0;
};

/// Renames one file, never overwriting another; throws on failure.
class RenameService
{
public:
    virtual ~RenameService() = default;
    virtual void NameFile(const std::string &oldPath, const std::string &newPath) = 0;
};

/// Thrown when a batch stops at a file it could not rename, always as a
/// std::nested_exception whose nested exception is the rename service's
/// own, which says why. It tells how far the batch got; the window makes the
/// words the user reads.
class BatchStopped : public std::runtime_error
{
public:
    BatchStopped(int renamedCount, int untouchedCount);
    /// The files before the one it stopped at: renamed and listed.
    int renamedCount() const { return m_renamedCount; }
    /// The files after the one it stopped at: left as they were.
    int untouchedCount() const { return m_untouchedCount; }

private:
    int m_renamedCount;
    int m_untouchedCount;
};

/// Thrown by a rename service that was asked to stop before it renamed the
/// next file; the batch or the undo nests it like any other failure.
class RenamingStopped : public std::runtime_error
{
public:
    RenamingStopped();
};

/// Thrown when an undo stops at a file it could not rename back, nested as
/// BatchStopped is. Here renamedCount() counts the files named back before
/// it, and untouchedCount() the files it would have named back after it:
/// they, and it, keep their new names.
class UndoStopped : public BatchStopped
{
public:
    using BatchStopped::BatchStopped;
};

/// A file that a batch renamed: its name before and after.
struct Renamed
{
    std::string oldName;
    std::string newName;
};

/// The batch's roles, as the window (or a test) fills them.
struct BatchRoles
{
    const NameList &names;
    const FolderSource &folder;
    const UnderscoreFlag &underscore;
    ResultSink &results;
    RenameService &renamer;
};

/// Joins \a folderPath and \a name with one path separator. The separator is
/// added even after a folder path that ends in one (a drive's root); the
/// rename service reads the doubled separator as one.
std::string JoinPath(const std::string &folderPath, const std::string &name);

/// Renames every listed file, in list order, to the name MakeNewName gives it,
/// and appends each new name to the results once its rename has succeeded.
/// Stops at the first rename that fails and throws BatchStopped, with the
/// service's error nested: the files before it stay renamed and listed; it and
/// the files after it are untouched.
void RunRemoveSpaces(const BatchRoles &roles);

/// Renames the files of \a renamed in \a folderPath back to their old names,
/// last first, through \a renamer, so that each old name is free again before
/// it is asked for. Stops at the first rename that fails and throws
/// UndoStopped, with the service's error nested.
void UndoRenames(const std::string &folderPath, const std::vector<Renamed> &renamed,
                 RenameService &renamer);

} // namespace quillet
