// The engine when the amplifier relay cannot be written: the program runs on, the bells ring as they
// would with a working relay, and the amplifier frame says why the relay is not switched until a
// write goes through again.
#include <QtGlobal>

#include "fakes/EngineScenario.h"
#include "support/LogCapture.h"
#include "support/TestSupport.h"

#ifdef Q_OS_LINUX
#include "fakes/FakePortSystem.h"
#include "relay/LinuxRelayPort.h"
#endif

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

using namespace EngineScenario;

namespace {

const QHash<int, QString> Morning{
    {student(1), "08:00"}, {teacher(1), "08:02"}, {exitBell(1), "08:10"}, {student(2), "08:15"}};

// What an operator sees and hears in one tick.
struct Observed
{
    qsizetype wavPlays;
    qsizetype musicPlays;
    QString amplifierCaption;
    QString text1;
    bool operator==(const Observed&) const = default;
};

Observed observe(const ControllerRig& rig)
{
    return {rig.wav.played.size(), rig.music.played.size(), rig.model.label4.caption, rig.model.text1};
}

TEST(RelayFault, FailingRelayChangesNothingButTheProblemShown)
{
    ControllerRig working;
    ControllerRig failing;
    failing.port.failing = true;
    for (ControllerRig* rig : {&working, &failing}) {
        start(*rig, Morning);
        musicBreaks(*rig, {QStringLiteral("/muzik/a.mp3")}, 100);
        rig->model.lessonMusic[0] = true;
        rig->model.check1 = true;
    }
    EXPECT_EQ(failing.model.relayProblem, QStringLiteral("Röle portuna ulaşılamıyor"));
    int ticks = 0;
    while (working.clock.now().time() < QTime(8, 20)) {
        working.tick();
        failing.tick();
        ++ticks;
        ASSERT_EQ(observe(failing), observe(working)) << working.clock.now().toString().toStdString();
        ASSERT_EQ(failing.model.relayProblem, QStringLiteral("Röle portuna ulaşılamıyor"));
        ASSERT_FALSE(failing.controller->s.unloaded);
    }
    EXPECT_EQ(working.wav.played.size(), 6); // three bells, two announcements, the next lesson's bell
    EXPECT_GT(working.music.played.size(), 0);
    EXPECT_EQ(failing.port.writes.size(), working.port.writes.size()); // every write still attempted
    EXPECT_EQ(working.model.relayProblem, QString());
}

#ifdef Q_OS_LINUX

// A controller on the Linux relay backend over recorded system calls, with LPT1 at 0x378.
struct LinuxRelayRig
{
    LinuxRelayRig()
    {
        system->addParport(0, "888\t1912\n");
        files.writeFile(QStringLiteral("port.txt"), "1\r\n");
        files.writeFile(QStringLiteral("melodi.txt"), "0\r\n1\r\n2\r\n");
        files.writeDay(QStringLiteral("Pazartesi"), Morning);
        for (const QString& melody : {StudentWav, TeacherWav, ExitWav})
            wav.lengths.insert(controller.folder.path(melody), 5);
    }
    // One tick, then checks that no descriptor is left open beside the port's own.
    void tick()
    {
        clock.advanceSecond();
        controller.Timer1_Timer();
        EXPECT_LE(system->openDescriptors(), 1) << clock.now().toString().toStdString();
    }
    void runUntil(const QTime& until)
    {
        while (clock.now().time() < until)
            tick();
    }
    bool lastWriteWent(unsigned char value) const
    {
        const QString write = QStringLiteral(" 0x%1").arg(value, 2, 16, QLatin1Char('0'));
        for (qsizetype i = system->calls.size() - 1; i >= 0; --i) {
            if (system->calls[i].startsWith(QLatin1String("write")))
                return system->calls[i].endsWith(write);
        }
        return false;
    }
    void mend() const
    {
        system->writeError = 0;
        system->claimError = 0;
        system->openErrors.clear();
    }

    ControllerRig files; // the program folder and the desktop fakes; its own controller stays idle
    ManualClock clock{QDateTime(QDate(2026, 12, 7), QTime(7, 59, 0))};
    FakePortSystem* system = new FakePortSystem;
    LinuxRelayPort port{std::unique_ptr<PortSystem>(system)};
    FakeWavPlayer wav{clock};
    FakeMusicPlayer music{clock};
    MainModel model;
    Controller controller{
        model, Devices{clock, port, wav, music, files.desktop, files.dialogs, files.shell, files.instance,
                       files.clockSync},
        ProgramFolder(files.dir.path())};
};

struct LinuxFaultCase
{
    const char* name;
    std::function<void(FakePortSystem&)> inject;
    QString problem;
};

void PrintTo(const LinuxFaultCase& c, std::ostream* os)
{
    *os << c.name;
}

class LinuxRelayFault : public testing::TestWithParam<LinuxFaultCase>
{
};

TEST_P(LinuxRelayFault, IsShownWhileTheBellsRingAndClearsAtTheFirstWriteThatGoesThrough)
{
    LinuxRelayRig r;
    LogCapture warnings("vezozil.relay");
    ASSERT_TRUE(r.controller.Form_Load());
    r.runUntil(QTime(8, 0, 2));
    ASSERT_TRUE(r.lastWriteWent(1));
    ASSERT_EQ(r.model.relayProblem, QString());

    GetParam().inject(*r.system);
    r.runUntil(QTime(8, 10, 2)); // the teacher bell and the exit bell ring meanwhile
    EXPECT_EQ(r.wav.played.size(), 3);
    EXPECT_TRUE(r.wav.isPlaying());
    EXPECT_EQ(r.model.label4.caption, Texts::AmpOn);
    EXPECT_EQ(r.model.relayProblem, GetParam().problem);
    EXPECT_FALSE(r.controller.s.unloaded);
    // The relay fails every second, but each kind of failure is logged once.
    EXPECT_LE(warnings.messages().size(), 2) << warnings.messages().join(QLatin1Char('\n')).toStdString();

    r.mend(); // the cable is back, the other program has let go
    r.tick(); // the melody still plays, so this tick writes 1 again
    EXPECT_EQ(r.model.relayProblem, QString());
    EXPECT_TRUE(r.lastWriteWent(1));
    r.runUntil(QTime(8, 10, 10));
    EXPECT_TRUE(r.lastWriteWent(0));
    r.runUntil(QTime(8, 15, 2));
    EXPECT_EQ(r.wav.played.size(), 4);
    EXPECT_TRUE(r.lastWriteWent(1));
}

INSTANTIATE_TEST_SUITE_P(
    Relay, LinuxRelayFault,
    testing::Values(LinuxFaultCase{"WritesFail", [](FakePortSystem& s) { s.writeError = EIO; },
                                   QStringLiteral("Röle portuna yazılamıyor (LPT1, 0x378)")},
                    LinuxFaultCase{"DeviceRemoved",
                                   [](FakePortSystem& s) {
                                       s.writeError = ENODEV;
                                       s.openErrors.insert(FakePortSystem::devicePath(0), ENODEV);
                                   },
                                   QStringLiteral("Röle portuna ulaşılamıyor (LPT1, 0x378)")},
                    LinuxFaultCase{
                        "TakenByAnotherProgram",
                        [](FakePortSystem& s) {
                            s.writeError = EIO;
                            s.claimError = EBUSY;
                        },
                        QStringLiteral("Röle portu başka bir programın kullanımında (LPT1, 0x378)")},
                    LinuxFaultCase{"AccessWithdrawn",
                                   [](FakePortSystem& s) {
                                       s.writeError = EIO;
                                       s.openErrors.insert(FakePortSystem::devicePath(0), EACCES);
                                   },
                                   QStringLiteral("Röle portuna erişim izni yok (LPT1, 0x378)")}),
    [](const testing::TestParamInfo<LinuxFaultCase>& info) { return info.param.name; });

#endif

} // namespace
