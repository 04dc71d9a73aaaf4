#include "batch.h"

#include "spacerule.h"

#include <filesystem>

namespace quillet {

namespace {

constexpr char kPathSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

std::string renamedPart(int count)
{
    if (count == 0)
        return "No file was renamed.";
    if (count == 1)
        return "The file before it was renamed and is listed.";
    return "The " + std::to_string(count) + " files before it were renamed and are listed.";
}

std::string untouchedPart(int count)
{
    if (count == 0)
        return "This file was left as it was.";
    if (count == 1)
        return "This file and the file after it were left as they were.";
    return "This file and the " + std::to_string(count) + " files after it were left as they were.";
}

std::string stopMessage(const std::string &reason, int renamedCount, int untouchedCount)
{
    return reason + "\n\nRenaming stopped at this file. " + renamedPart(renamedCount) + ' ' +
           untouchedPart(untouchedCount);
}

} // namespace

BatchStopped::BatchStopped(const std::string &reason, int renamedCount, int untouchedCount)
    : std::runtime_error(stopMessage(reason, renamedCount, untouchedCount)),
      m_renamedCount(renamedCount)
{
}

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
        } catch (const std::exception &error) {
            throw BatchStopped(error.what(), index, count - index - 1);
        }
        roles.results.AddItem(newName);
    }
}

} // namespace quillet
