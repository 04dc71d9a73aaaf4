#include "renamingjob.h"

#include "besidecall.h"

#include <mutex>
#include <optional>
#include <utility>

namespace quillet {

// What the job's thread and the window's share, behind one lock. It outlives
// the job object when a thread that was let go still runs.
struct RenamingJob::Shared final : RenamingObserver
{
    void Starting(int index, const std::string &name) override
    {
        const std::lock_guard lock(mutex);
        inFlight = {index, name, Clock::now()};
    }

    void Done(const Renamed &file) override
    {
        const std::lock_guard lock(mutex);
        newNames.push_back(file.newName);
        if (job != nullptr && !announced) {
            announced = true;
            emit job->renamedSinceTaken();
        }
    }

    void finish(RenamingResult done)
    {
        const std::lock_guard lock(mutex);
        result = std::move(done);
        if (job != nullptr)
            emit job->ended();
    }

    mutable std::mutex mutex;
    RenamingJob *job = nullptr; // none once the job object has gone
    InFlight inFlight;
    std::vector<std::string> newNames;
    bool announced = false;
    std::optional<RenamingResult> result;
};

namespace {

// As often as the progress window refreshes: the result list still grows
// smoothly, and the list view, which lays out all its rows again whenever
// rows are added, does so ten times a second rather than fifty.
constexpr std::chrono::milliseconds kAnnounceEvery{100};

} // namespace

RenamingJob::RenamingJob(QObject *parent) : QObject(parent), m_shared(std::make_shared<Shared>())
{
    m_shared->job = this;
    m_pace.setSingleShot(true);
    m_pace.setInterval(kAnnounceEvery);
    connect(&m_pace, &QTimer::timeout, this, &RenamingJob::renamedMore);
    connect(this, &RenamingJob::renamedSinceTaken, this, [this] {
        if (!m_pace.isActive())
            m_pace.start();
    });
    // The window takes the last names as it hears of the end.
    connect(this, &RenamingJob::ended, this, [this] {
        m_pace.stop();
        emit finished();
    });
}

RenamingJob::~RenamingJob()
{
    bool finished = false;
    {
        const std::lock_guard lock(m_shared->mutex);
        m_shared->job = nullptr;
        finished = m_shared->result.has_value();
    }
    LetThreadGo(m_thread, finished);
}

void RenamingJob::Start(std::unique_ptr<RenameService> renamer, Work work)
{
    m_thread = std::jthread([shared = m_shared, renamer = std::move(renamer),
                             work = std::move(work)](std::stop_token stop) mutable {
        RenamingResult result;
        try {
            result = work(*renamer, std::move(stop), *shared);
        } catch (...) {
            result.failure = std::current_exception();
        }
        // The held folder is let go before the window hears of the end.
        renamer.reset();
        shared->finish(std::move(result));
    });
}

void RenamingJob::Stop()
{
    m_thread.request_stop();
}

bool RenamingJob::StopRequested() const
{
    return m_thread.get_stop_token().stop_requested();
}

RenamingJob::InFlight RenamingJob::CurrentFile() const
{
    const std::lock_guard lock(m_shared->mutex);
    return m_shared->inFlight;
}

std::vector<std::string> RenamingJob::TakeNewNames()
{
    const std::lock_guard lock(m_shared->mutex);
    m_shared->announced = false;
    return std::exchange(m_shared->newNames, {});
}

RenamingResult RenamingJob::TakeResult()
{
    const std::lock_guard lock(m_shared->mutex);
    return std::move(m_shared->result).value_or(RenamingResult{});
}

} // namespace quillet
