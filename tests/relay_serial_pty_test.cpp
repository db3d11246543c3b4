// The USB-serial relay end to end: the engine rings a bell under the fake clock, and the relay's
// bytes go through the real backend and QSerialPort into a pseudo-terminal, read on its master side.
#include "fakes/ControllerRig.h"
#include "fakes/CoreApplication.h"
#include "relay/SwitchableRelayPort.h"
#include "support/LogCapture.h"
#include "support/Pty.h"
#include "support/TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const QByteArray On = "a0 01 01 a2";
const QByteArray Off = "a0 01 00 a1";

// A school with one bell at 08:01 and a three-second melody, its relay on the serial port `device`.
struct SerialSchool
{
    explicit SerialSchool(const QString& device)
    {
        ensureCoreApplication();
        files.writeFile(QStringLiteral("ayarlar.ini"),
                        "[Role]\nTur=usb-seri\nAygit=" + device.toUtf8() + "\nKanal=1\n");
        files.writeDay(QStringLiteral("Pazartesi"),
                       {{Slots::lessonSlot(1, Slots::Column::Student), QStringLiteral("08:01")}});
        files.writeFile(QStringLiteral("melodi.txt"), "0\r\n0\r\n0\r\n");
        wav.lengths.insert(controller.folder.path(QStringLiteral("\\melodiler\\1.wav")), 3);
    }
    void tick()
    {
        clock.advanceSecond();
        controller.Timer1_Timer();
    }

    ControllerRig files; // the program folder and the desktop fakes; its own controller stays idle
    ManualClock clock{QDateTime(QDate(2026, 12, 7), QTime(8, 0, 30))};
    SwitchableRelayPort port; // the real backends
    FakeWavPlayer wav{clock};
    FakeMusicPlayer music{clock};
    MainModel model;
    Controller controller{
        model, Devices{clock, port, wav, music, files.desktop, files.dialogs, files.shell, files.instance},
        ProgramFolder(files.dir.path())};
};

TEST(SerialRelayEndToEnd, BellSwitchesTheBoardOnAndOffThroughTheSerialPort)
{
    Pty pty;
    ASSERT_FALSE(pty.slaveName.isEmpty()) << "openpty failed";
    SerialSchool school(pty.slaveName);
    ASSERT_TRUE(school.controller.Form_Load());
    EXPECT_EQ(pty.read().toHex(' '), Off); // Reset
    EXPECT_EQ(school.model.relayProblem, QString());

    // Each write with what the WAV player did in its tick.
    QStringList seen;
    while (school.clock.now().time() < QTime(8, 1, 10)) {
        school.tick();
        const QByteArray bytes = pty.read();
        if (!bytes.isEmpty())
            seen << QString::fromLatin1(bytes.toHex(' ')) +
                        (school.wav.isPlaying() ? " while playing" : " after the sound");
    }
    EXPECT_EQ(school.wav.played.size(), 1);
    EXPECT_EQ(seen, QStringList({"a0 01 01 a2 while playing", "a0 01 00 a1 after the sound"}));
    EXPECT_EQ(school.model.relayProblem, QString());
}

struct ReplugCase
{
    const char* name;
    bool continuous;   // "Sürekli Açık" rather than "Otomatik"
    QByteArray held;   // what the board plugged back is given
    QByteArray atBell; // what it gets at the bell after that
};

void PrintTo(const ReplugCase& c, std::ostream* os)
{
    *os << c.name;
}

class SerialReplug : public testing::TestWithParam<ReplugCase>
{
};

// The board is named by a link, as /dev/serial/by-id names it; unplugged, the link goes; plugged back,
// it leads to another port.
TEST_P(SerialReplug, BoardPluggedBackIsGivenTheAmplifiersStateWithinSeconds)
{
    const ReplugCase& c = GetParam();
    Pty unplugged;
    Pty pluggedBack;
    ASSERT_FALSE(unplugged.slaveName.isEmpty() || pluggedBack.slaveName.isEmpty()) << "openpty failed";
    QTemporaryDir links;
    const QString link = links.filePath(QStringLiteral("usb-1a86_USB_Serial-if00-port0"));
    ASSERT_TRUE(QFile::link(unplugged.slaveName, link));
    SerialSchool school(link);
    LogCapture journal("vezozil.relay");
    ASSERT_TRUE(school.controller.Form_Load());
    c.continuous ? school.controller.amp.Command4_Click() : school.controller.amp.Command3_Click();
    school.tick();
    EXPECT_EQ(unplugged.read().toHex(' ').right(Off.size()), c.held);

    QFile::remove(link);
    for (int second = 0; second < 5 && school.model.relayProblem.isEmpty(); ++second)
        school.tick();
    EXPECT_EQ(school.model.relayProblem,
              QStringLiteral("Röle kartına ulaşılamıyor (USB seri, %1, kanal 1)").arg(link));
    ASSERT_TRUE(QFile::link(pluggedBack.slaveName, link));
    QByteArray given;
    for (int second = 0; second < 5 && given.isEmpty(); ++second) {
        school.tick();
        given = pluggedBack.read();
    }
    EXPECT_EQ(given.toHex(' '), c.held);
    EXPECT_EQ(school.model.relayProblem, QString());

    while (school.clock.now().time() < QTime(8, 1, 10))
        school.tick();
    EXPECT_EQ(school.wav.played.size(), 1);
    EXPECT_EQ(pluggedBack.read().toHex(' '), c.atBell);
    EXPECT_EQ(unplugged.read(), QByteArray());
    EXPECT_EQ(journal.count(QStringLiteral("went away")), 1) << journal.messages().join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Relay, SerialReplug,
                         testing::Values(ReplugCase{"Continuous", true, On, ""},
                                         ReplugCase{"Automatic", false, Off, On + " " + Off}),
                         [](const testing::TestParamInfo<ReplugCase>& info) { return info.param.name; });

} // namespace
