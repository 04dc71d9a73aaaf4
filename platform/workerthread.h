#pragma once

#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>

namespace quillet {

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

private:
    std::mutex m_mutex;
    Owner *m_owner;
    bool m_ended = false;
};

/// A worker thread that works for \a Owner. When the owner goes, a worker
/// whose work has ended is only letting go of what it held and is waited
/// for; one still in a call to a file system, which may never return, is
/// asked to stop and detached.
template <typename Owner> class WorkerThread final
{
public:
    using Guard = OwnerGuard<Owner>;

    explicit WorkerThread(Owner *owner) : m_guard(std::make_shared<Guard>(owner)) {}
    ~WorkerThread()
    {
        const bool ended = m_guard->Leave();
        if (!m_thread.joinable())
            return;
        m_thread.request_stop();
        if (ended)
            m_thread.join();
        else
            m_thread.detach();
    }
    WorkerThread(const WorkerThread &) = delete;
    WorkerThread &operator=(const WorkerThread &) = delete;

    /// Runs \a work, called with a stop token and the guard, on the worker;
    /// it must not throw. Called once.
    template <typename Work> void Start(Work work)
    {
        m_thread =
            std::jthread([guard = m_guard, work = std::move(work)](std::stop_token stop) mutable {
                work(std::move(stop), *guard);
            });
    }
    void RequestStop() { m_thread.request_stop(); }
    bool StopRequested() const { return m_thread.get_stop_token().stop_requested(); }

private:
    // Shared with the worker, which may outlive the owner.
    std::shared_ptr<Guard> m_guard;
    std::jthread m_thread;
};

} // namespace quillet
