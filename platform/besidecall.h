#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quillet {

/// One call that may wait on a file system (reading a folder, asking a
/// volume), run on a thread of its own so that the window never waits for it.
/// finished() reaches the window's thread once the call has returned, unless
/// the object has gone first: then nothing the call does reaches the window,
/// and a call that has not returned is let go, as it may never return.
class BesideCall final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BesideCall)

public:
    explicit BesideCall(QObject *parent = nullptr);
    ~BesideCall() override;

    /// Runs \a call, which must not throw. Called once, after finished() has
    /// been connected.
    void Start(std::function<void()> call);

signals:
    /// The call has returned. Connect with this object as the context, so
    /// that the delivery ends with it; delete it only with deleteLater() from
    /// there.
    void finished();

private:
    struct Shared;

    std::shared_ptr<Shared> m_shared;
    std::jthread m_thread;
};

/// Runs \a call beside the window and hands what it returns to \a done on the
/// window's thread. Dropping the returned object abandons the call: \a done
/// is then never called.
template <typename Result>
std::unique_ptr<BesideCall> CallBeside(std::function<Result()> call,
                                       std::function<void(Result)> done)
{
    auto result = std::make_shared<std::optional<Result>>();
    auto beside = std::make_unique<BesideCall>();
    QObject::connect(beside.get(), &BesideCall::finished, beside.get(),
                     [result, done = std::move(done)] { done(std::move(**result)); });
    beside->Start([result, call = std::move(call)] { result->emplace(call()); });
    return beside;
}

/// Frees \a lines on a thread of its own: freeing a hundred thousand names
/// would hold the window up for milliseconds.
void FreeBeside(std::vector<std::string> lines);

/// Lets go of \a thread when its owner goes: a thread whose work has \a ended
/// is only letting go of what it held and is waited for; one still in a call
/// to a file system may never return and is detached.
void LetThreadGo(std::jthread &thread, bool ended);

} // namespace quillet
