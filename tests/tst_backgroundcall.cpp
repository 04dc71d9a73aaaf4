#include "backgroundcall.h"
#include "lineblock.h"

#include <QTest>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>

using namespace quillet;

namespace {

// Takes a while to let go of, as a folder held on a slow share may.
class SlowToLetGo
{
public:
    explicit SlowToLetGo(std::shared_ptr<std::atomic<bool>> gone) : m_gone(std::move(gone)) {}
    ~SlowToLetGo()
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        *m_gone = true;
    }
    SlowToLetGo(const SlowToLetGo &) = delete;
    SlowToLetGo &operator=(const SlowToLetGo &) = delete;

private:
    std::shared_ptr<std::atomic<bool>> m_gone;
};

} // namespace

class TestBackgroundCall : public QObject
{
    Q_OBJECT

private slots:
    // Dropping a call whose work has returned waits until the worker has let
    // go of what the work held (a held folder must be closed by then); a call
    // still running is left to itself, and tells nothing once it returns.
    void drop_waitsOnlyForWhatHasReturned_data()
    {
        QTest::addColumn<bool>("returned");
        QTest::newRow("after the call returned") << true;
        QTest::newRow("while the call runs") << false;
    }
    void drop_waitsOnlyForWhatHasReturned()
    {
        QFETCH(bool, returned);
        auto gone = std::make_shared<std::atomic<bool>>(false);
        auto held = std::make_shared<SlowToLetGo>(gone);
        std::promise<void> gate;
        bool told = false;
        auto call = CallInBackground<int>(
            [held = std::move(held), opened = gate.get_future().share()] {
                opened.wait();
                return 1;
            },
            [&told](int) { told = true; });
        if (returned) {
            gate.set_value();
            QTRY_VERIFY(told);
        }

        call.reset();
        if (returned) {
            QVERIFY(*gone);
            return;
        }
        QVERIFY(!*gone);
        gate.set_value();
        QTRY_VERIFY(*gone);
        QTest::qWait(20);
        QVERIFY(!told);
    }

    // Threads that end at once, their owners dropped as they end, and lines
    // freed beside the window, many times over: a thread library that cannot
    // let go of a thread just ended fails here now and then.
    void shortThreads_manyEndAsTheyStart()
    {
        for (int round = 0; round < 300; ++round) {
            CallInBackground<int>([] { return 1; }, [](int) {});
            LineBlock lines;
            lines.append("a");
            FreeInBackground(std::move(lines));
        }
    }
};

QTEST_MAIN(TestBackgroundCall)
#include "tst_backgroundcall.moc"
