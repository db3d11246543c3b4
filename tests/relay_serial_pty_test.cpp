// The USB-serial relay end to end: the engine rings a bell under the fake clock, and the relay's
// bytes go through the real backend and QSerialPort into a pseudo-terminal, read on its master side.
#include "fakes/ControllerRig.h"
#include "fakes/CoreApplication.h"
#include "relay/SwitchableRelayPort.h"
#include "support/Pty.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(SerialRelayEndToEnd, BellSwitchesTheBoardOnAndOffThroughTheSerialPort)
{
    ensureCoreApplication();
    Pty pty;
    ASSERT_FALSE(pty.slaveName.isEmpty()) << "openpty failed";

    ControllerRig files; // the program folder and the desktop fakes; its own controller stays idle
    files.writeFile(QStringLiteral("ayarlar.ini"),
                    "[Role]\nTur=usb-seri\nAygit=" + pty.slaveName.toUtf8() + "\nKanal=1\n");
    files.writeDay(QStringLiteral("Pazartesi"),
                   {{Slots::lessonSlot(1, Slots::Column::Student), QStringLiteral("08:01")}});
    files.writeFile(QStringLiteral("melodi.txt"), "0\r\n0\r\n0\r\n");
    ManualClock clock(QDateTime(QDate(2026, 12, 7), QTime(8, 0, 55)));
    SwitchableRelayPort port; // the real backends
    FakeWavPlayer wav(clock);
    FakeMusicPlayer music(clock);
    MainModel model;
    Controller controller(
        model, Devices{clock, port, wav, music, files.desktop, files.dialogs, files.shell, files.instance,
                       files.clockSync},
        ProgramFolder(files.dir.path()));
    wav.lengths.insert(controller.folder.path(QStringLiteral("\\melodiler\\1.wav")), 3);

    ASSERT_TRUE(controller.Form_Load());
    EXPECT_EQ(pty.read().toHex(' '), QByteArray("a0 01 00 a1")); // Reset
    EXPECT_EQ(model.relayProblem, QString());

    // Each write with what the WAV player did in its tick.
    QStringList seen;
    while (clock.now().time() < QTime(8, 1, 10)) {
        clock.advanceSecond();
        controller.Timer1_Timer();
        const QByteArray bytes = pty.read();
        if (!bytes.isEmpty())
            seen << QString::fromLatin1(bytes.toHex(' ')) +
                        (wav.isPlaying() ? " while playing" : " after the sound");
    }
    EXPECT_EQ(wav.played.size(), 1);
    EXPECT_EQ(seen, QStringList({"a0 01 01 a2 while playing", "a0 01 00 a1 after the sound"}));
    EXPECT_EQ(model.relayProblem, QString());
}

} // namespace
