#pragma once

#include "batch.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

namespace quillet {

/// A batch or an undo, run on a thread of its own so that the window never
/// waits for a file system. It works only on what it was given at its start
/// (the names, the choices and the held folder inside the rename service), so
/// nothing the user does meanwhile can change it. What it does reaches the
/// window's thread through queued signals; the window asks for the data they
/// announce.
class RenamingJob final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RenamingJob)

public:
    /// The renaming itself, run on the job's thread: it renames through the
    /// service, stops before the next file once the token asks it to, and
    /// tells the observer of each file.
    using Work =
        std::function<RenamingResult(RenameService &, std::stop_token, RenamingObserver &)>;
    using Clock = std::chrono::steady_clock;

    /// The file whose rename has been asked for and has not yet returned.
    struct InFlight
    {
        int index = 0;
        std::string name;
        Clock::time_point since = Clock::now();
    };

    explicit RenamingJob(QObject *parent = nullptr);
    /// A job still waiting for a rename that has not returned is not waited
    /// for: it is asked to stop, its thread is let go, and nothing it does
    /// afterwards reaches the window.
    ~RenamingJob() override;

    /// Runs \a work through \a renamer on the job's thread. Called once.
    void Start(std::unique_ptr<RenameService> renamer, Work work);
    /// Asks the job to stop before its next file; the rename in flight ends
    /// as it will.
    void Stop();
    bool StopRequested() const;

    InFlight CurrentFile() const;
    /// The new names of the files renamed since this was last called, in
    /// order.
    std::vector<std::string> TakeNewNames();
    /// What the job did, once finished() has been sent.
    RenamingResult TakeResult();

signals:
    /// Files have been renamed whose new names TakeNewNames() gives. Sent
    /// once until they are taken, however many follow meanwhile, and not
    /// sooner than a moment after the last time: the window takes them in
    /// bunches rather than waking for every file.
    void renamedMore();
    /// The job has ended; TakeResult() tells what it did.
    void finished();

private:
    struct Shared;

    /// Sent by the job's thread when files have been renamed since the
    /// window last took their names.
    Q_SIGNAL void renamedSinceTaken();
    /// Sent by the job's thread once it has done.
    Q_SIGNAL void ended();

    std::shared_ptr<Shared> m_shared;
    QTimer m_pace;
    std::jthread m_thread;
};

} // namespace quillet
