#include "common/Log.h"
#include "fakes/ControllerRig.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QString Melody = QStringLiteral("\\melodiler\\1.wav");
const QString NoPortChosen = QStringLiteral("Röle için LPT portu seçilmemiş");

// A controller started with `portNumber` in "port.txt" (0: no file) and a five-second first melody.
std::unique_ptr<ControllerRig> started(int portNumber, const QHash<int, QString>& monday = {})
{
    auto rig = std::make_unique<ControllerRig>();
    if (portNumber != 0)
        rig->writeFile(QStringLiteral("port.txt"), QByteArray::number(portNumber) + "\r\n");
    // As read from "port.txt" at start-up, also where the file is not read yet.
    rig->controller->s.lptPortNumber = portNumber;
    rig->writeDay(QStringLiteral("Pazartesi"), monday);
    rig->model.box(MelodyBox::Student).position = 0;
    rig->setSoundLength(Melody, 5);
    EXPECT_TRUE(rig->load());
    return rig;
}

// The bytes written in each of `count` ticks: "1 1 0", "-" for a tick that wrote nothing,
// "11" for a tick that wrote 1 twice.
std::string ticks(ControllerRig& rig, int count)
{
    std::string out;
    for (int i = 0; i < count; ++i) {
        rig.port.writes.clear();
        rig.tick();
        std::string written;
        for (const auto& [address, value] : rig.port.writes)
            written += std::to_string(value);
        out += (i ? " " : "") + (written.empty() ? std::string("-") : written);
    }
    rig.port.writes.clear();
    return out;
}

using Writes = std::vector<std::pair<quint16, quint16>>;

struct PortCase
{
    int portNumber;
    quint16 address;
};

class StartupPort : public testing::TestWithParam<PortCase>
{
};

TEST_P(StartupPort, ResetsTheRelayAtTheChosenAddress)
{
    const auto rig = started(GetParam().portNumber);
    EXPECT_EQ(rig->port.writes, Writes({{GetParam().address, 0}}));
    EXPECT_EQ(rig->model.lptOption, GetParam().portNumber);
    // Reset leaves the indicator at its design-time text.
    EXPECT_EQ(rig->model.label4.caption, QStringLiteral("Amfi Kapalı"));
    EXPECT_EQ(rig->model.relayProblem, QString());
}

INSTANTIATE_TEST_SUITE_P(Amplifier, StartupPort,
                         testing::Values(PortCase{1, 888}, PortCase{2, 632}, PortCase{3, 956}));

class NoPort : public testing::TestWithParam<int>
{
};

TEST_P(NoPort, WritesNothingAnywhereAndSaysSo)
{
    const auto rig = started(GetParam());
    Amplifier& amp = rig->controller->amp;
    amp.Command4_Click();
    ticks(*rig, 2);
    amp.Command3_Click();
    rig->controller->melodies.Command15_Click();
    ticks(*rig, 8);
    EXPECT_TRUE(rig->port.writes.empty());
    EXPECT_EQ(rig->model.lptOption, 0);
    EXPECT_EQ(rig->model.relayProblem, NoPortChosen);
    EXPECT_EQ(rig->model.label4.caption, Texts::AmpOff); // the indicator still follows the sound
}

INSTANTIATE_TEST_SUITE_P(Amplifier, NoPort, testing::Values(0, 4, 7));

TEST(Amplifier, KapatWhileHeldWritesNothing)
{
    const auto rig = started(1);
    rig->controller->amp.Ac();
    rig->port.writes.clear();
    rig->controller->amp.Kapat();
    EXPECT_TRUE(rig->port.writes.empty());
    EXPECT_EQ(rig->model.label4.caption, Texts::AmpOn);
    EXPECT_EQ(rig->model.label4.colour, Colours::Green);
}

TEST(Amplifier, AcTwiceWritesOneTwice)
{
    const auto rig = started(1);
    rig->port.writes.clear();
    rig->controller->amp.Ac();
    rig->controller->amp.Ac();
    EXPECT_EQ(rig->port.writes, Writes({{888, 1}, {888, 1}}));
    EXPECT_EQ(rig->controller->s.ampState, 2);
}

TEST(Amplifier, OtomatikSwitchesOffAtTheNextIdleTick)
{
    const auto rig = started(1);
    rig->port.writes.clear();
    rig->controller->amp.Command1_Click(); // "Aç": on and held
    EXPECT_EQ(rig->port.writes, Writes({{888, 1}}));
    EXPECT_EQ(ticks(*rig, 2), "- -");
    rig->controller->amp.Command3_Click();
    EXPECT_TRUE(rig->port.writes.empty()); // the button itself does not touch the port
    EXPECT_EQ(ticks(*rig, 1), "0");
    EXPECT_EQ(rig->model.label4.caption, Texts::AmpOff);
    EXPECT_EQ(rig->model.label4.colour, Colours::Red);
}

TEST(Amplifier, PortChoiceTakesEffectAtTheNextStart)
{
    const auto rig = started(1);
    rig->controller->amp.Option_Click(2);
    EXPECT_EQ(rig->controller->s.lptPortNumber, 2);
    EXPECT_EQ(rig->model.lptOption, 2);
    rig->controller->amp.Ac();
    rig->controller->amp.Command3_Click();
    rig->tick();
    EXPECT_EQ(rig->port.writes, Writes({{888, 0}, {888, 1}, {888, 0}}));

    // The choice is saved on exit; the next start drives the new port.
    const auto restarted = started(rig->controller->s.lptPortNumber);
    restarted->controller->amp.Ac();
    EXPECT_EQ(restarted->port.writes, Writes({{632, 0}, {632, 1}}));
}

TEST(Amplifier, SuerekliAcikTwiceHoldsUntilTheNextSoundEnds)
{
    const auto rig = started(1);
    Amplifier& amp = rig->controller->amp;
    amp.Command4_Click();
    amp.Command4_Click();
    EXPECT_EQ(rig->controller->s.ampMode, 3);
    rig->port.writes.clear();
    EXPECT_EQ(ticks(*rig, 3), "- - -"); // held on, and no longer switched on every second
    EXPECT_EQ(rig->model.label4.caption, Texts::AmpOn);

    rig->controller->melodies.Command15_Click(); // "Dinle": five seconds
    rig->port.writes.clear();
    EXPECT_EQ(ticks(*rig, 6), "1 1 1 1 0 0");
    EXPECT_EQ(rig->model.label4.caption, Texts::AmpOff);
    EXPECT_EQ(rig->controller->s.ampMode, 3);
}

TEST(Amplifier, ContinuousModeWritesOneEveryTickAndOutlastsSounds)
{
    const auto rig = started(1);
    rig->controller->amp.Command4_Click();
    EXPECT_EQ(rig->controller->s.ampMode, 1);
    EXPECT_EQ(ticks(*rig, 3), "1 1 1");
    rig->controller->melodies.Command15_Click();
    EXPECT_EQ(ticks(*rig, 6), "11 11 11 11 1 1");
    EXPECT_EQ(rig->model.label4.caption, Texts::AmpOn);
}

struct BellTimelineCase
{
    const char* name;
    int warmUp;                                   // seconds, as "ayarlar.ini" gives them
    QTime from;                                   // first tick
    int count;                                    // ticks
    std::function<void(ControllerRig&)> atSecond; // run just before the tick at 08:00:59, if set
    std::string writes;
    bool announce = false;                           // "Sözlü anons" after the student melody
    std::function<void(ControllerRig&)> before = {}; // run just before the first tick, if set
};

void PrintTo(const BellTimelineCase& c, std::ostream* os)
{
    *os << c.name;
}

class BellTimeline : public testing::TestWithParam<BellTimelineCase>
{
};

const int Student1 = Slots::lessonSlot(1, Slots::Column::Student);

void unplayableStudentMelody(ControllerRig& rig)
{
    rig.model.box(MelodyBox::Student).position = -1;
    rig.controller->melodies.recomputeAll();
}

// A five-second student melody at 08:01, then (with "Sözlü anons") a three-second announcement.
const BellTimelineCase bellTimelines[] = {
    // The bell's tick writes 1 before the first note, and no 0 before it; off after the end.
    {"OnWithTheFirstNote", 0, QTime(8, 0, 59), 7, {}, "0 1 1 1 1 1 0"},
    // Two seconds ahead the amplifier is switched on and held; the bell takes it over and releases it.
    {"WarmUpTwoSeconds", 2, QTime(8, 0, 57), 9, {}, "0 01 - 1 1 1 1 1 0"},
    {"WarmUpReleasedWhenTheBellsGoOff", 2, QTime(8, 0, 57), 6,
     [](ControllerRig& r) { r.controller->s.bellsOff = 1; }, "0 01 - - 0 0"},
    {"WarmUpReleasedWhenTheGridChanges", 2, QTime(8, 0, 57), 6,
     [](ControllerRig& r) { r.model.grid[Student1].clear(); }, "0 01 - - 0 0"},
    // The operator's "Aç" during the warm-up is the operator's: it stays held.
    {"WarmUpLeavesAnOperatorsHold", 2, QTime(8, 0, 57), 6,
     [](ControllerRig& r) {
         r.controller->s.bellsOff = 1;
         r.controller->amp.Command1_Click();
     },
     "0 01 - - - -"},
    // No off and on again between the melody and its announcement.
    {"OnThroughTheAnnouncement", 0, QTime(8, 1, 0), 9, {}, "1 1 1 1 1 1 1 1 0", true},
    // A "Dinle" that ends inside the warm-up leaves the amplifier on for the bell.
    {"WarmUpHoldsThroughASoundEndingInIt", 4, QTime(8, 0, 56), 8, {}, "11 1 - - 1 1 1 0", false,
     [](ControllerRig& r) { r.setSoundLength(Melody, 3), r.controller->melodies.Command15_Click(); }},
    // An "Aç" from before the warm-up outlasts a bell that did not ring.
    {"WarmUpLeavesAHoldFromBeforeIt", 2, QTime(8, 0, 56), 7,
     [](ControllerRig& r) { r.controller->s.bellsOff = 1; }, "- - - - - - -", false,
     [](ControllerRig& r) { r.controller->amp.Command1_Click(); }},
    // "Melodi Seçiniz" neither drops "Sürekli Açık" nor switches off before the announcement.
    {"UnplayableMelodyInContinuousMode", 0, QTime(8, 0, 59), 3, {}, "1 11 1", false,
     [](ControllerRig& r) { unplayableStudentMelody(r), r.controller->amp.Command4_Click(); }},
    {"UnplayableMelodyThenTheAnnouncement", 0, QTime(8, 0, 59), 5, {}, "0 11 1 1 0", true,
     unplayableStudentMelody},
    // Today's 00:00 is not tomorrow's, and a warm-up ends when the clock is set back.
    {"NoWarmUpForTomorrowsMidnight", 2, QTime(8, 0, 0), 5, {}, "0 0 0 0 0", false,
     [](ControllerRig& r) {
         r.model.grid[Student1] = QStringLiteral("00:00");
         r.clock.set(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 56)));
     }},
    {"WarmUpEndsWhenTheClockStepsBack", 2, QTime(8, 0, 57), 5,
     [](ControllerRig& r) { r.clock.set(QDateTime(QDate(2026, 12, 7), QTime(7, 30, 0))); }, "0 01 - 0 0"},
};

std::string timelineName(const testing::TestParamInfo<BellTimelineCase>& info)
{
    return info.param.name;
}

TEST_P(BellTimeline, RelayBytesPerTick)
{
    const BellTimelineCase& c = GetParam();
    const auto rig = started(1, {{Student1, QStringLiteral("08:01")}});
    rig->setSoundLength(QStringLiteral("\\melodiler\\anons1.wav"), 3);
    rig->controller->settings.warmUpSeconds = c.warmUp;
    rig->model.check1 = c.announce;
    rig->runUntil(c.from.addSecs(-1));
    if (c.before)
        c.before(*rig);
    std::string got;
    for (int i = 0; i < c.count; ++i) {
        if (c.atSecond && rig->clock.now().time() == QTime(8, 0, 58))
            c.atSecond(*rig);
        got += (i ? " " : "") + ticks(*rig, 1);
    }
    EXPECT_EQ(got, c.writes);
}
INSTANTIATE_TEST_SUITE_P(Cases, BellTimeline, testing::ValuesIn(bellTimelines), timelineName);

TEST(Amplifier, AnthemWithSpeechKeepsTheAmplifierOnUntilOtomatik)
{
    const auto rig = started(1);
    rig->setSoundLength(QStringLiteral("\\marslar\\istiklal.wav"), 3);
    rig->controller->ceremony.Command26_Click(); // "İstiklal Marşı + konuşma"
    EXPECT_EQ(ticks(*rig, 6), "1 1 - - - -");
    EXPECT_EQ(rig->model.label4.caption, Texts::AmpOn);
    rig->controller->amp.Command3_Click();
    EXPECT_EQ(ticks(*rig, 1), "0");
}

TEST(Amplifier, TrayItemSwitchesOnOnlyOnYes)
{
    const auto rig = started(1);
    rig->port.writes.clear();
    rig->dialogs.answers = {false, true};
    rig->controller->amp.amfiac_Click();
    EXPECT_TRUE(rig->port.writes.empty());
    rig->controller->amp.amfiac_Click();
    EXPECT_EQ(rig->port.writes, Writes({{888, 1}}));
    EXPECT_EQ(rig->dialogs.asked,
              QStringList(2, QStringLiteral("Amfiyi sürekli olarak açmak istiyor musunuz?")));
}

TEST(Amplifier, FailingRelayIsShownAndTheBellsRingOn)
{
    auto rig = std::make_unique<ControllerRig>();
    rig->port.failing = true;
    rig->controller->s.lptPortNumber = 1;
    rig->writeDay(QStringLiteral("Pazartesi"), {{Slots::lessonSlot(1, Slots::Column::Exit), "08:00"}});
    rig->model.box(MelodyBox::Exit).position = 0;
    rig->setSoundLength(Melody, 5);
    ASSERT_TRUE(rig->load());
    EXPECT_EQ(rig->model.relayProblem, QStringLiteral("Röle portuna ulaşılamıyor"));

    rig->runUntil(QTime(8, 0, 2));
    EXPECT_EQ(rig->wav.played.size(), 1);
    EXPECT_EQ(rig->model.label4.caption, Texts::AmpOn);
    EXPECT_EQ(rig->model.relayProblem, QStringLiteral("Röle portuna ulaşılamıyor"));

    rig->port.failing = false; // the cable is plugged in again
    rig->tick();
    EXPECT_EQ(rig->model.relayProblem, QString());
}

} // namespace

TEST(Amplifier, RelayWritesStayOutOfTheLogUnlessAskedFor)
{
    // Written every second while the amplifier is off, they would fill the journal all day.
    if (qEnvironmentVariableIsSet("QT_LOGGING_RULES"))
        GTEST_SKIP() << "logging rules set from outside";
    EXPECT_FALSE(lcRelay().isDebugEnabled());
    EXPECT_TRUE(lcRelay().isWarningEnabled());
}
