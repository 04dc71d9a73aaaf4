#include "backgroundcall.h"

namespace quillet {

BackgroundCall::~BackgroundCall() = default;

void BackgroundCall::Start(std::function<void()> call)
{
    m_worker.Start([call = std::move(call)](std::stop_token, OwnerGuard<BackgroundCall> &guard) {
        call();
        // The signal is queued to the window's thread, where the object lives.
        guard.End([](BackgroundCall &owner) { emit owner.finished(); });
    });
}

} // namespace quillet
