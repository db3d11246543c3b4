// The relay on a thread of its own: a board that does not answer holds up no call, and what is
// wanted of it meanwhile comes out as its latest state, with the outcome told back afterwards.
#include "fakes/CoreApplication.h"
#include "relay/AsyncRelayPort.h"
#include "support/TestSupport.h"

#include <QDeadlineTimer>
#include <QSemaphore>

#include <gtest/gtest.h>

namespace {

const QString Unwritable = QStringLiteral("Röle kartına yazılamıyor (USB HID, QAAMZ, kanal 1)");

// A board whose every call waits until the test lets it go, as one that enumerates but does not
// answer. The calls are read only once the port has told their outcome.
struct HungPort : RelayPort
{
    bool Out32(quint16, quint16 value) override { return enter(QStringLiteral("write %1").arg(value)); }
    QString problem() const override { return failing ? Unwritable : QString(); }
    void use(const RelaySettings& relay) override { enter(QStringLiteral("use ") + relay.target(0)); }
    void check() override { enter(QStringLiteral("check")); }
    bool enter(const QString& call)
    {
        calls << call;
        entered.release();
        gate.acquire();
        return !failing;
    }
    QStringList calls;
    QSemaphore entered;
    QSemaphore gate;
    std::atomic<bool> failing = false;
};

TEST(AsyncRelayPort, HungBoardHoldsUpNoCallAndGetsOnlyTheLatestStateOfEachRelay)
{
    ensureCoreApplication();
    auto* board = new HungPort;
    AsyncRelayPort port{std::unique_ptr<RelayPort>(board), {}};
    int heard = 0;
    port.setListener([&heard] { ++heard; });
    port.Out32(888, 1);
    board->entered.acquire(); // the worker hangs in this write from now on

    // Every call returns while it hangs. The writes to one relay make one write; a change of relay
    // keeps its place, so the relay left behind is still switched as asked.
    for (const quint16 value : {0, 1, 0})
        EXPECT_TRUE(port.Out32(888, value));
    port.check();
    port.use({RelaySettings::Kind::UsbHid, QStringLiteral("QAAMZ"), 1, false});
    port.Out32(0, 1);
    port.Out32(0, 0);
    bool done = false;
    port.whenDone([&done] { done = true; });
    QCoreApplication::processEvents();
    EXPECT_FALSE(done);
    EXPECT_EQ(heard, 0);

    board->failing = true;
    board->gate.release(100);
    const QDeadlineTimer deadline(10000); // only a fault waits this long
    while (!done && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(done);
    EXPECT_EQ(board->calls, QStringList({"write 1", "write 0", "check", "use usb-hid:QAAMZ#1", "write 0"}));
    // The outcome came back to this thread, for the amplifier frame.
    EXPECT_EQ(port.problem(), Unwritable);
    EXPECT_EQ(heard, 3);
}

} // namespace
