#include "besidecall.h"

#include <mutex>

namespace quillet {

// What the thread and the window's side share. It outlives the call object
// when a thread that was let go still runs.
struct BesideCall::Shared
{
    std::mutex mutex;
    BesideCall *owner = nullptr; // none once the object has gone
    bool ended = false;
};

BesideCall::BesideCall(QObject *parent) : QObject(parent), m_shared(std::make_shared<Shared>())
{
    m_shared->owner = this;
}

void BesideCall::Start(std::function<void()> call)
{
    m_thread = std::jthread([shared = m_shared, call = std::move(call)] {
        call();
        const std::lock_guard lock(shared->mutex);
        shared->ended = true;
        // Under the lock, so that the object cannot go meanwhile; the signal
        // is queued to the window's thread, where the object lives.
        if (shared->owner != nullptr)
            emit shared->owner->finished();
    });
}

BesideCall::~BesideCall()
{
    bool ended = false;
    {
        const std::lock_guard lock(m_shared->mutex);
        m_shared->owner = nullptr;
        ended = m_shared->ended;
    }
    LetThreadGo(m_thread, ended);
}

void FreeBeside(std::vector<std::string> lines)
{
    if (!lines.empty())
        std::thread([lines = std::move(lines)] {}).detach();
}

void LetThreadGo(std::jthread &thread, bool ended)
{
    if (!thread.joinable())
        return;
    thread.request_stop();
    if (ended)
        thread.join();
    else
        thread.detach();
}

} // namespace quillet
