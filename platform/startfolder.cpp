#include "startfolder.h"

#include "folderpath.h"
#include "folderreader.h"
#include "workerthread.h"

#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <utility>

namespace quillet {

namespace {

// Short enough for the window to show at once after it.
constexpr std::chrono::milliseconds kPatience{250};

std::optional<std::string> namedStartFolder;

// Asks on a thread of its own, which is left to itself if the file system
// does not answer in time: it may never.
std::string folderToOpenWithin(const std::string &path, const FolderFinder &finder,
                               std::chrono::milliseconds patience)
{
    auto answer = std::make_shared<std::promise<std::string>>();
    std::future<std::string> folder = answer->get_future();
    RunDetached([answer, path, finder] {
        try {
            answer->set_value(finder(path));
        } catch (...) {
            answer->set_exception(std::current_exception());
        }
    });
    if (folder.wait_for(patience) == std::future_status::ready)
        return folder.get();
    return JoinFolderPath(SplitFolderPath(path));
}

} // namespace

std::string StartFolder()
{
    return namedStartFolder.value_or(CurrentFolder());
}

bool StartFolderNamed()
{
    return namedStartFolder.has_value();
}

void SetStartFolder(const std::string &path, const FolderFinder &finder)
{
    if (path.empty()) {
        namedStartFolder.reset();
        return;
    }
    // A relative path whose current folder has gone is kept as given: the
    // folder list then fails to read it, as it fails to read any start
    // folder it cannot, and says why.
    try {
        namedStartFolder = folderToOpenWithin(path, finder, kPatience);
    } catch (const FolderError &) {
        namedStartFolder = path;
    }
}

} // namespace quillet
