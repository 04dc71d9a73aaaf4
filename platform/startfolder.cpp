#include "startfolder.h"

#include "folderpath.h"
#include "folderreader.h"

#include <optional>

namespace quillet {

namespace {

std::optional<std::string> namedStartFolder;

} // namespace

std::string StartFolder()
{
    return namedStartFolder.value_or(CurrentFolder());
}

void SetStartFolder(const std::string &path)
{
    if (path.empty()) {
        namedStartFolder.reset();
        return;
    }
    // A relative path whose current folder has gone is kept as given: the
    // folder list then fails to read it, as it fails to read any start
    // folder it cannot, and says why.
    try {
        namedStartFolder = FolderToOpen(path);
    } catch (const FolderError &) {
        namedStartFolder = path;
    }
}

} // namespace quillet
