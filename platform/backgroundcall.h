#pragma once

#include "workerthread.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillet {

/// One call that may wait on a file system (reading a folder, asking a
/// volume), run on a worker thread so that the window never waits for it.
/// finished() reaches the window's thread once the call has returned, unless
/// the object has gone first: then nothing the call does reaches the window,
/// and a call that has not returned is detached, as it may never return.
class BackgroundCall final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BackgroundCall)

public:
    explicit BackgroundCall(QObject *parent = nullptr) : QObject(parent) {}
    ~BackgroundCall() override;

    /// Runs \a call, which must not throw. Called once, after finished() has
    /// been connected.
    void Start(std::function<void()> call);

signals:
    /// The call has returned. Connect with this object as the context, so
    /// that the delivery ends with it; delete it only with deleteLater() from
    /// there.
    void finished();

private:
    WorkerThread<BackgroundCall> m_worker{this};
};

/// Runs \a call in the background and hands what it returns to \a done on
/// the window's thread. Dropping the returned object abandons the call:
/// \a done is then never called.
template <typename Result>
std::unique_ptr<BackgroundCall> CallInBackground(std::function<Result()> call,
                                                 std::function<void(Result)> done)
{
    auto result = std::make_shared<std::optional<Result>>();
    auto background = std::make_unique<BackgroundCall>();
    QObject::connect(background.get(), &BackgroundCall::finished, background.get(),
                     [result, done = std::move(done)] { done(std::move(**result)); });
    background->Start([result, call = std::move(call)] { result->emplace(call()); });
    return background;
}

/// Lets go of \a held on a thread of its own: freeing a hundred thousand
/// names would hold the window up for milliseconds, and so would closing the
/// last hold on a folder deleted meanwhile, as the system then frees the
/// folder's blocks. Nothing is started for what holds nothing.
template <typename Held> void LetGoInBackground(Held held)
{
    if (!held.empty())
        RunDetached([held = std::move(held)] {});
}

} // namespace quillet
