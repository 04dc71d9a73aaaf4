#include "renamingjob.h"

#include <mutex>
#include <optional>
#include <utility>

namespace quillet {

// What the worker has done and the window has not yet heard of, behind one
// lock. It outlives the job object when a worker that was detached still
// runs.
struct RenamingJob::Shared final : RenamingObserver
{
    void Starting(int index, const std::string &name) override
    {
        const std::lock_guard lock(mutex);
        progress.index = index;
        progress.name = name;
        progress.since = Clock::now();
    }

    void Done(const Renamed &file) override
    {
        const std::lock_guard lock(mutex);
        progress.newNames.append(file.newName);
    }

    Progress take()
    {
        const std::lock_guard lock(mutex);
        return {progress.index, progress.name, progress.since, false,
                std::exchange(progress.newNames, {})};
    }

    std::mutex mutex;
    Progress progress;
    std::optional<RenamingResult> result;
};

namespace {

// As often as the progress window refreshes: the result list grows smoothly,
// and the window wakes ten times a second rather than for every file.
constexpr std::chrono::milliseconds kTellEvery{100};

} // namespace

RenamingJob::RenamingJob(QObject *parent) : QObject(parent), m_shared(std::make_shared<Shared>())
{
    m_pace.setInterval(kTellEvery);
    connect(&m_pace, &QTimer::timeout, this, &RenamingJob::tell);
}

RenamingJob::~RenamingJob() = default;

void RenamingJob::Start(std::unique_ptr<RenameService> renamer, Work work)
{
    m_pace.start();
    m_worker.Start([shared = m_shared, renamer = std::move(renamer), work = std::move(work)](
                       std::stop_token stop, OwnerGuard<RenamingJob> &guard) mutable {
        RenamingResult result;
        try {
            result = work(*renamer, std::move(stop), *shared);
        } catch (...) {
            result.failure = std::current_exception();
        }
        // The held folder is let go before the window hears of the end.
        renamer.reset();
        {
            const std::lock_guard lock(shared->mutex);
            shared->result = std::move(result);
        }
        guard.End([](RenamingJob &job) {
            QMetaObject::invokeMethod(&job, &RenamingJob::end, Qt::QueuedConnection);
        });
    });
}

void RenamingJob::Stop()
{
    m_worker.RequestStop();
    tell();
}

RenamingResult RenamingJob::TakeResult()
{
    return std::move(m_result);
}

void RenamingJob::tell()
{
    Progress progress = m_shared->take();
    progress.stopping = m_worker.StopRequested();
    emit progressed(progress);
}

void RenamingJob::end()
{
    m_pace.stop();
    tell();
    {
        const std::lock_guard lock(m_shared->mutex);
        m_result = std::move(m_shared->result).value_or(RenamingResult{});
    }
    emit finished();
}

} // namespace quillet
