#include "batch.h"

#include "spacerule.h"

#include <exception>
#include <filesystem>

namespace quillet {

namespace {

constexpr char kPathSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

} // namespace

BatchStopped::BatchStopped(int renamedCount, int untouchedCount)
    : std::runtime_error("the batch stopped at a file it could not rename"),
      m_renamedCount(renamedCount), m_untouchedCount(untouchedCount)
{
}

RenamingStopped::RenamingStopped() : std::runtime_error("renaming was stopped on request") {}

std::string JoinPath(const std::string &folderPath, const std::string &name)
{
    std::string path;
    path.reserve(folderPath.size() + 1 + name.size());
    path += folderPath;
    path += kPathSeparator;
    path += name;
    return path;
}

void RunRemoveSpaces(const BatchRoles &roles)
{
    roles.results.Clear();
    const int count = roles.names.ListCount();
    for (int index = 0; index < count; ++index) {
        const std::string name = roles.names.List(index);
        const std::string newName = MakeNewName(name, roles.underscore.Value() == 1);
        const std::string folderPath = roles.folder.FolderPath();
        try {
            // Requested even when the name is unchanged: the service then
            // only checks that the file is still there.
            roles.renamer.NameFile(JoinPath(folderPath, name), JoinPath(folderPath, newName));
        } catch (...) {
            std::throw_with_nested(BatchStopped(index, count - index - 1));
        }
        roles.results.AddItem(newName);
    }
}

void UndoRenames(const std::string &folderPath, const std::vector<Renamed> &renamed,
                 RenameService &renamer)
{
    const int count = static_cast<int>(renamed.size());
    for (int done = 0; done < count; ++done) {
        const Renamed &file = renamed[static_cast<std::size_t>(count - 1 - done)];
        try {
            renamer.NameFile(JoinPath(folderPath, file.newName),
                             JoinPath(folderPath, file.oldName));
        } catch (...) {
            std::throw_with_nested(UndoStopped(done, count - done - 1));
        }
    }
}

} // namespace quillet
