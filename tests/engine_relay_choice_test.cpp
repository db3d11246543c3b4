// The relay kinds in the engine: the kind "ayarlar.ini" names is driven from start-up on, and the
// operator's choice and trial in the "Röle…" dialog take effect at once.
#include "fakes/ControllerRig.h"
#include "support/TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {
using Kind = RelaySettings::Kind;
using Writes = std::vector<std::pair<quint16, quint16>>;

const RelaySettings UsbSerial{Kind::UsbSerial, QStringLiteral("/dev/ttyUSB0"), 2, false};
const RelaySettings UsbHid{Kind::UsbHid, QStringLiteral("QAAMZ"), 1, false};

std::unique_ptr<ControllerRig> started(const QByteArray& ayarlar, int portNumber)
{
    auto rig = std::make_unique<ControllerRig>();
    if (!ayarlar.isNull())
        rig->writeFile(QStringLiteral("ayarlar.ini"), ayarlar);
    if (portNumber != 0)
        rig->writeFile(QStringLiteral("port.txt"), QByteArray::number(portNumber) + "\r\n");
    EXPECT_TRUE(rig->load());
    return rig;
}

Writes takeWrites(ControllerRig& rig)
{
    return std::exchange(rig.port.writes, {});
}

struct StartCase
{
    const char* name;
    QByteArray ayarlar; // null: no file
    int portNumber;     // 0: no "port.txt"
    Kind kind;
    Writes writes;
    QString target;
    QString problem;
};

void PrintTo(const StartCase& c, std::ostream* os)
{
    *os << c.name;
}

class RelayAtStartup : public testing::TestWithParam<StartCase>
{
};

TEST_P(RelayAtStartup, DrivesTheKindAyarlarNamesWithoutNeedingAnLptPort)
{
    const StartCase& c = GetParam();
    const auto rig = started(c.ayarlar, c.portNumber);
    ASSERT_FALSE(rig->port.used.empty());
    EXPECT_EQ(rig->port.used.back().kind, c.kind);
    EXPECT_EQ(rig->port.writes, c.writes); // Reset
    EXPECT_EQ(rig->controller->amp.relayTarget(), c.target);
    EXPECT_EQ(rig->model.relayProblem, c.problem);
}

INSTANTIATE_TEST_SUITE_P(
    Relay, RelayAtStartup,
    testing::Values(StartCase{"SerialWithoutPortTxt",
                              "[Role]\nTur=usb-seri\nAygit=/dev/ttyUSB0\n",
                              0,
                              Kind::UsbSerial,
                              {{0, 0}},
                              QStringLiteral("usb-seri:/dev/ttyUSB0#1"),
                              {}},
                    StartCase{"GpioBesideAnLptChoice",
                              "[Role]\nTur=gpio\nAygit=/dev/gpiochip0\nKanal=17\nAktifDusuk=1\n",
                              2,
                              Kind::Gpio,
                              {{632, 0}},
                              QStringLiteral("gpio:/dev/gpiochip0#17"),
                              {}},
                    StartCase{"HidFirstBoardFound",
                              "[Role]\nTur=usb-hid\n",
                              0,
                              Kind::UsbHid,
                              {{0, 0}},
                              QStringLiteral("usb-hid:#1"),
                              {}},
                    StartCase{
                        "LptAsAlways", QByteArray(), 1, Kind::Lpt, {{888, 0}}, QStringLiteral("888"), {}},
                    StartCase{"LptWithoutAPort",
                              QByteArray(),
                              0,
                              Kind::Lpt,
                              {},
                              QStringLiteral("0"),
                              QStringLiteral("Röle için LPT portu seçilmemiş")}),
    [](const testing::TestParamInfo<StartCase>& info) { return info.param.name; });

TEST(RelayChoice, IsSavedAloneAndShowsTheAmplifierWithOneWrite)
{
    const auto rig = started("[Amfi]\nIsinmaSuresi=elli\n", 1);
    rig->controller->amp.Command1_Click(); // "Aç"
    takeWrites(*rig);

    ASSERT_TRUE(rig->controller->relaySetup.choose(UsbSerial));
    EXPECT_EQ(rig->port.used.back(), UsbSerial);
    EXPECT_EQ(takeWrites(*rig), Writes({{888, 1}})); // the amplifier is on, so is the new relay
    EXPECT_EQ(rig->controller->settings.relay, UsbSerial);
    EXPECT_EQ(rig->controller->amp.relayTarget(), QStringLiteral("usb-seri:/dev/ttyUSB0#2"));
    const QByteArray saved = rig->readFile(QStringLiteral("ayarlar.ini"));
    EXPECT_TRUE(saved.contains("Tur=usb-seri")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("IsinmaSuresi=elli")) << saved.toStdString(); // not the operator's to lose
    EXPECT_EQ(AppSettings::read(rig->controller->folder).relay, UsbSerial);
}

TEST(RelayChoice, WarmUpIsSavedAloneAndKeepsTheRelayAsTheFileHasIt)
{
    const auto rig = started("[Role]\nTur=lpt\n", 1);
    rig->writeFile(QStringLiteral("ayarlar.ini"), "[Role]\nTur=usb-seri\nAygit=/dev/ttyUSB1\n"); // by hand
    rig->controller->amp.setWarmUpSeconds(3);
    const AppSettings saved = AppSettings::read(rig->controller->folder);
    EXPECT_EQ(saved.relay, (RelaySettings{Kind::UsbSerial, QStringLiteral("/dev/ttyUSB1"), 1, false}));
    EXPECT_EQ(saved.warmUpSeconds, 3);
}

TEST(RelayChoice, UnsavableChoiceChangesNothing)
{
    const auto rig = started(QByteArray(), 1);
    QDir(rig->dir.path()).mkdir(QStringLiteral("ayarlar.ini")); // a folder in the file's place
    const std::size_t uses = rig->port.used.size();
    takeWrites(*rig);
    EXPECT_FALSE(rig->controller->relaySetup.choose(UsbSerial));
    EXPECT_EQ(rig->port.used.size(), uses);
    EXPECT_TRUE(rig->port.writes.empty());
    EXPECT_EQ(rig->controller->settings.relay.kind, Kind::Lpt);
}

TEST(RelayChoice, TrialHoldsTheAmplifierBackAndReturnsToItsRelay)
{
    const auto rig = started(QByteArray(), 1);
    RelaySetup& setup = rig->controller->relaySetup;
    std::optional<QString> told; // what the last trial step told, at once from a port that writes at once
    const RelaySetup::Told tell = [&told](const QString& problem) { told = problem; };
    rig->controller->amp.Command3_Click(); // automatic: every quiet tick writes 0
    rig->tick();
    takeWrites(*rig);

    setup.beginTrial(UsbHid, tell);
    EXPECT_EQ(std::exchange(told, {}), QString());
    EXPECT_EQ(rig->port.used.back(), UsbHid);
    EXPECT_EQ(takeWrites(*rig), Writes({{888, 1}}));
    rig->tick();
    rig->tick();
    EXPECT_TRUE(rig->port.writes.empty()); // the amplifier waits for the trial

    setup.endTrial(tell);
    EXPECT_EQ(std::exchange(told, {}), QString());
    EXPECT_EQ(rig->port.used.back().kind, Kind::Lpt);
    EXPECT_EQ(takeWrites(*rig), Writes({{888, 0}, {888, 0}})); // the trial's off, then the amplifier's state
    rig->tick();
    EXPECT_EQ(takeWrites(*rig), Writes({{888, 0}}));

    rig->port.failing = true;
    setup.beginTrial(UsbHid, tell);
    EXPECT_EQ(told, QStringLiteral("Röle portuna ulaşılamıyor"));
    setup.endTrial();
    EXPECT_FALSE(setup.trialRunning());
}

TEST(RelayChoice, DialogClosedDuringATrialLeavesNothingHeld)
{
    const auto rig = started(QByteArray(), 1);
    rig->dialogs.relayAnswer = [](RelaySetup& setup) { setup.beginTrial(UsbHid); };
    rig->controller->relaySetup.relayButton_Click();
    EXPECT_EQ(rig->dialogs.relayDialogs, 1);
    EXPECT_FALSE(rig->controller->relaySetup.trialRunning());
    EXPECT_EQ(rig->port.used.back().kind, Kind::Lpt);
    takeWrites(*rig);
    rig->controller->amp.Ac();
    EXPECT_EQ(takeWrites(*rig), Writes({{888, 1}}));
}

} // namespace
