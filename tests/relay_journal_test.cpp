// What the journal says of a failing relay, and the change of relay while the program runs.
#include "relay/RelayPortStatus.h"
#include "relay/SwitchableRelayPort.h"
#include "support/LogCapture.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// A failing relay written once a second: what the journal holds at each of the given seconds.
TEST(RelayJournal, TellsTheFirstFailureAtOnceAndSummarisesTheRepeats)
{
    LogCapture journal("vezozil.relay", true);
    QDateTime now(QDate(2026, 12, 7), QTime(8, 0, 0));
    {
        RelayPortStatus status(RelayNoun::Board, QStringLiteral("USB seri, /dev/ttyUSB0, kanal 1"),
                               QStringLiteral("usb-seri:/dev/ttyUSB0#1"), [&now] { return now; });
        const auto failFor = [&](int seconds) {
            for (int i = 0; i < seconds; ++i) {
                status.fail(RelayFailure::Unreachable, QStringLiteral("opening /dev/ttyUSB0: gone"));
                now = now.addSecs(1);
            }
        };
        failFor(1);
        EXPECT_EQ(journal.messages(),
                  QStringList({"relay usb-seri:/dev/ttyUSB0#1 failed at 08:00:00: opening /dev/ttyUSB0: gone "
                               "(the amplifier is not switched; retrying at every write)"}));
        EXPECT_EQ(status.problem(),
                  QStringLiteral("Röle kartına ulaşılamıyor (USB seri, /dev/ttyUSB0, kanal 1)"));
        journal.clear();

        failFor(60 + 120 + 240); // summaries after one minute, then after two, then four
        EXPECT_EQ(
            journal.messages(),
            QStringList({"relay usb-seri:/dev/ttyUSB0#1 still failing: 60 more writes failed from 08:00:01 "
                         "to 08:01:00, last: opening /dev/ttyUSB0: gone",
                         "relay usb-seri:/dev/ttyUSB0#1 still failing: 120 more writes failed from 08:01:01 "
                         "to 08:03:00, last: opening /dev/ttyUSB0: gone",
                         "relay usb-seri:/dev/ttyUSB0#1 still failing: 240 more writes failed from 08:03:01 "
                         "to 08:07:00, last: opening /dev/ttyUSB0: gone"}));
        journal.clear();

        failFor(5);
        status.succeed(QStringLiteral("/dev/ttyUSB0"));
        EXPECT_EQ(journal.messages(),
                  QStringList({"relay usb-seri:/dev/ttyUSB0#1 works again through /dev/ttyUSB0 "
                               "after 5 more failed writes from 08:07:01 to 08:07:05"}));
        EXPECT_EQ(status.problem(), QString());
        journal.clear();

        // A new failure after the recovery is told at once again; its repeats are told as it ends.
        failFor(3);
        EXPECT_EQ(journal.count(QStringLiteral("failed at 08:07:06")), 1);
        journal.clear();
    }
    EXPECT_EQ(journal.count(QStringLiteral("2 more writes failed from 08:07:07 to 08:07:08")), 1)
        << journal.messages().join(QLatin1Char('\n')).toStdString();
}

// A backend that says when it is made and ended, and what it is told to write.
class ToldPort : public RelayPort
{
public:
    ToldPort(QStringList& told, QString name) : m_told(told), m_name(std::move(name))
    {
        m_told << "make " + m_name;
    }
    ~ToldPort() override { m_told << "end " + m_name; }
    bool Out32(quint16, quint16 value) override
    {
        m_told << QStringLiteral("%1 %2").arg(m_name).arg(value);
        return true;
    }

private:
    QStringList& m_told;
    QString m_name;
};

TEST(SwitchableRelayPort, AnotherRelayReplacesTheBackendAfterTheOldOneEnds)
{
    QStringList told;
    SwitchableRelayPort port([&told](const RelaySettings& relay) {
        return std::make_unique<ToldPort>(told,
                                          relay.kind == RelaySettings::Kind::Lpt ? "lpt" : relay.target(0));
    });
    port.Out32(888, 0);
    const RelaySettings serial{RelaySettings::Kind::UsbSerial, QStringLiteral("/dev/ttyUSB0"), 1, false};
    port.use(serial);
    port.use(serial); // the same relay again: the open device is kept
    port.Out32(888, 1);
    EXPECT_EQ(told, QStringList({"make lpt", "lpt 0", "end lpt", "make usb-seri:/dev/ttyUSB0#1",
                                 "usb-seri:/dev/ttyUSB0#1 1"}));
}

} // namespace
