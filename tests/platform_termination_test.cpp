#include "fakes/CoreApplication.h"
#include "platform/TerminationWatcher.h"

#include <QDeadlineTimer>
#include <QEventLoop>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

namespace {
// Spins the event loop until the watcher has reported or the wait has passed.
int requestsAfter(TerminationWatcher& watcher, const std::function<void()>& act, int waitMs = 1000)
{
    ensureCoreApplication();
    int requests = 0;
    QObject::connect(&watcher, &TerminationWatcher::terminationRequested, [&] { ++requests; });
    act();
    const QDeadlineTimer deadline(waitMs);
    while (requests == 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    QCoreApplication::processEvents(); // anything more that was queued
    return requests;
}

using Handler = void (*)(int);
Handler currentHandler(int number)
{
    struct sigaction now = {};
    sigaction(number, nullptr, &now);
    return now.sa_handler;
}
} // namespace

class TerminationSignal : public testing::TestWithParam<int>
{
};

TEST_P(TerminationSignal, BecomesOneRequestOnTheEventLoop)
{
    ensureCoreApplication();
    TerminationWatcher watcher;
    ASSERT_TRUE(watcher.isActive());
    EXPECT_EQ(requestsAfter(watcher, [] { std::raise(GetParam()); }), 1);
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminationSignal, testing::Values(SIGTERM, SIGINT, SIGHUP));

TEST(TerminationWatcher, SignalsArrivingTogetherAreOneRequest)
{
    ensureCoreApplication();
    TerminationWatcher watcher;
    EXPECT_EQ(requestsAfter(watcher,
                            [] {
                                std::raise(SIGTERM);
                                std::raise(SIGHUP);
                            }),
              1);
}

TEST(TerminationWatcher, NothingIsRequestedWithoutASignal)
{
    ensureCoreApplication();
    TerminationWatcher watcher;
    EXPECT_EQ(requestsAfter(
                  watcher, [] {}, 100),
              0);
}

TEST(TerminationWatcher, PreviousHandlersReturnWhenItEnds)
{
    ensureCoreApplication();
    const Handler before = std::signal(SIGTERM, SIG_IGN);
    {
        TerminationWatcher watcher;
        EXPECT_NE(currentHandler(SIGTERM), SIG_IGN);
    }
    EXPECT_EQ(currentHandler(SIGTERM), SIG_IGN);
    std::signal(SIGTERM, before);
}

TEST(TerminationWatcher, OnlyOneWatcherListens)
{
    ensureCoreApplication();
    TerminationWatcher first;
    TerminationWatcher second;
    EXPECT_TRUE(first.isActive());
    EXPECT_FALSE(second.isActive());
}
