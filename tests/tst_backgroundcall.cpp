#include "backgroundcall.h"

#include <QTest>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>

using namespace quillet;

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
        // Slow to let go of, as a folder held on a slow share may be.
        std::shared_ptr<void> held(nullptr, [gone](void *) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            *gone = true;
        });
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
        QCOMPARE(bool(*gone), returned);
        if (!returned)
            gate.set_value();
        QTRY_VERIFY(*gone);
        QTest::qWait(20);
        QCOMPARE(told, returned);
    }
};

QTEST_MAIN(TestBackgroundCall)
#include "tst_backgroundcall.moc"
