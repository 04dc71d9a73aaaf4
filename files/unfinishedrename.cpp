#include "unfinishedrename.h"

#include <condition_variable>
#include <mutex>

namespace quillet {

namespace {

struct Renames
{
    std::mutex mutex;
    std::condition_variable changed;
    int unfinished = 0;
    bool ending = false;
};

// Never destroyed: a thread that waits in it when the process ends must not
// find it gone.
Renames &renames()
{
    static auto *const all = new Renames;
    return *all;
}

} // namespace

UnfinishedRename::UnfinishedRename()
{
    Renames &all = renames();
    std::unique_lock lock(all.mutex);
    all.changed.wait(lock, [&] { return !all.ending; });
    ++all.unfinished;
}

UnfinishedRename::~UnfinishedRename()
{
    Renames &all = renames();
    const std::lock_guard lock(all.mutex);
    --all.unfinished;
    all.changed.notify_all();
}

void FinishUnfinishedRenames()
{
    Renames &all = renames();
    std::unique_lock lock(all.mutex);
    all.ending = true;
    all.changed.wait(lock, [&] { return all.unfinished == 0; });
}

} // namespace quillet
