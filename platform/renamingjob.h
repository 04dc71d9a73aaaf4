#pragma once

#include "batch.h"
#include "lineblock.h"
#include "workerthread.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>

namespace quillet {

/// A batch or an undo, run on a worker thread so that the window never
/// waits for a file system. It works only on what it was given at its start
/// (the names, the choices and the held folder inside the rename service), so
/// nothing the user does meanwhile can change it. It tells the window how far
/// it has got by one paced signal, and what it did once, when it ends.
class RenamingJob final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RenamingJob)

public:
    /// The renaming itself, run on the worker: it renames through the
    /// service, stops before the next file once the token asks it to, and
    /// tells the observer of each file.
    using Work =
        std::function<RenamingResult(RenameService &, std::stop_token, RenamingObserver &)>;
    using Clock = std::chrono::steady_clock;

    /// How far the job has got.
    struct Progress
    {
        /// The file whose rename has been asked for last, and since when.
        int index = 0;
        std::string name;
        Clock::time_point since = Clock::now();
        bool stopping = false;
        /// The new names of the files renamed since the last progress, in
        /// order, in one block rather than an allocation each.
        LineBlock newNames;
    };

    explicit RenamingJob(QObject *parent = nullptr);
    /// A job still waiting for a rename that has not returned is not waited
    /// for: it is asked to stop, its worker is detached, and nothing it does
    /// afterwards reaches the window.
    ~RenamingJob() override;

    /// Runs \a work through \a renamer on the worker. Called once.
    void Start(std::unique_ptr<RenameService> renamer, Work work);
    /// Asks the job to stop before its next file; the rename in flight ends
    /// as it will.
    void Stop();

    /// What the job did, once finished() has been sent.
    RenamingResult TakeResult();

signals:
    /// Sent every moment while the job runs, and once more as it ends: the
    /// window takes the new names in bunches rather than waking for every
    /// file.
    void progressed(const quillet::RenamingJob::Progress &progress);
    /// The job has ended, just after its last progress; TakeResult() tells
    /// what it did.
    void finished();

private:
    struct Shared;

    void tell();
    void end();

    std::shared_ptr<Shared> m_shared;
    RenamingResult m_result;
    QTimer m_pace;
    WorkerThread<RenamingJob> m_worker{this};
};

} // namespace quillet
