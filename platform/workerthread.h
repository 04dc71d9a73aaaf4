#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>

namespace quillet {

/// Runs \a work on a thread of its own that nobody waits for. The thread
/// detaches itself before it starts the work, while it surely runs: a thread
/// library may fail to detach a thread that has just ended (mingw-w64's does,
/// now and then, and the program ends).
template <typename Work> void RunDetached(Work work)
{
    struct Slot
    {
        std::mutex mutex;
        std::thread thread;
    };
    auto slot = std::make_shared<Slot>();
    // Held until the thread is in its slot, which the thread waits for.
    const std::lock_guard lock(slot->mutex);
    slot->thread = std::thread([slot, work = std::move(work)]() mutable {
        {
            const std::lock_guard detaching(slot->mutex);
            slot->thread.detach();
        }
        work();
    });
}

/// What a worker thread shares with the object on the window's thread that
/// it works for: that object, for as long as it lives, behind a lock. The
/// object may go before the work returns, as a file system that hangs may
/// never let it; the worker then tells it nothing more.
template <typename Owner> class OwnerGuard final
{
public:
    explicit OwnerGuard(Owner *owner) : m_owner(owner) {}

    /// Runs \a tell with the owner under the lock, so that the owner cannot
    /// go meanwhile; not if it has gone.
    template <typename Tell> void TellOwner(const Tell &tell)
    {
        const std::lock_guard lock(m_mutex);
        if (m_owner != nullptr)
            tell(*m_owner);
    }
    /// As TellOwner, and marks the work as ended.
    template <typename Tell> void End(const Tell &tell)
    {
        const std::lock_guard lock(m_mutex);
        m_ended = true;
        if (m_owner != nullptr)
            tell(*m_owner);
    }
    /// Called as the owner goes; whether the work has ended.
    bool Leave()
    {
        const std::lock_guard lock(m_mutex);
        m_owner = nullptr;
        return m_ended;
    }
    /// Called by the worker once the work and all it held are gone.
    void Finish()
    {
        const std::lock_guard lock(m_mutex);
        m_finished = true;
        m_changed.notify_all();
    }
    void WaitUntilFinished()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_finished; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    Owner *m_owner;
    bool m_ended = false;
    bool m_finished = false;
};

/// A worker thread that works for \a Owner. When the owner goes, a worker
/// whose work has ended is only letting go of what it held and is waited
/// for; one still in a call to a file system, which may never return, is
/// asked to stop and left to itself.
template <typename Owner> class WorkerThread final
{
public:
    using Guard = OwnerGuard<Owner>;

    explicit WorkerThread(Owner *owner) : m_guard(std::make_shared<Guard>(owner)) {}
    ~WorkerThread()
    {
        m_stop.request_stop();
        if (m_guard->Leave())
            m_guard->WaitUntilFinished();
    }
    WorkerThread(const WorkerThread &) = delete;
    WorkerThread &operator=(const WorkerThread &) = delete;

    /// Runs \a work, called with a stop token and the guard, on the worker;
    /// it must not throw. Called once.
    template <typename Work> void Start(Work work)
    {
        RunDetached([guard = m_guard, stop = m_stop.get_token(), work = std::move(work)]() mutable {
            {
                // What the work holds goes with it, before the owner hears.
                Work ending = std::move(work);
                ending(stop, *guard);
            }
            guard->Finish();
        });
    }
    void RequestStop() { m_stop.request_stop(); }
    bool StopRequested() const { return m_stop.stop_requested(); }

private:
    // Shared with the worker, which may outlive the owner.
    std::shared_ptr<Guard> m_guard;
    std::stop_source m_stop;
};

} // namespace quillet
