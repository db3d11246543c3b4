// The USB-serial relay end to end: the engine rings a bell under the fake clock, and the relay's
// bytes go through the real backend and QSerialPort into a pseudo-terminal, read on its master side.
// The board is named by a link, as /dev/serial/by-id names it: unplugged, the link goes; plugged
// back, it leads to another pseudo-terminal.
#include "fakes/ControllerRig.h"
#include "fakes/CoreApplication.h"
#include "relay/SwitchableRelayPort.h"
#include "support/LogCapture.h"
#include "support/Pty.h"
#include "support/TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(SerialRelayEndToEnd, BoardPluggedBackGetsTheAmplifiersStateAndRingsTheBell)
{
    ensureCoreApplication();
    Pty unplugged;
    Pty pty;
    ASSERT_FALSE(pty.slaveName.isEmpty()) << "openpty failed";
    QTemporaryDir links;
    const QString link = links.filePath(QStringLiteral("usb-1a86_USB_Serial-if00-port0"));
    ASSERT_TRUE(QFile::link(unplugged.slaveName, link));

    ControllerRig files; // the program folder and the desktop fakes; its own controller stays idle
    files.writeFile(QStringLiteral("ayarlar.ini"),
                    "[Role]\nTur=usb-seri\nAygit=" + link.toUtf8() + "\nKanal=1\n");
    files.writeDay(QStringLiteral("Pazartesi"),
                   {{Slots::lessonSlot(1, Slots::Column::Student), QStringLiteral("08:01")}});
    files.writeFile(QStringLiteral("melodi.txt"), "0\r\n0\r\n0\r\n");
    ManualClock clock(QDateTime(QDate(2026, 12, 7), QTime(8, 0, 40)));
    SwitchableRelayPort port; // the real backends
    FakeWavPlayer wav(clock);
    FakeMusicPlayer music(clock);
    MainModel model;
    Controller controller(
        model, Devices{clock, port, wav, music, files.desktop, files.dialogs, files.shell, files.instance,
                       files.clockSync},
        ProgramFolder(files.dir.path()));
    wav.lengths.insert(controller.folder.path(QStringLiteral("\\melodiler\\1.wav")), 3);

    LogCapture journal("vezozil.relay");
    ASSERT_TRUE(controller.Form_Load());
    EXPECT_EQ(unplugged.read().toHex(' '), QByteArray("a0 01 00 a1")); // Reset
    EXPECT_EQ(model.relayProblem, QString());

    const auto tick = [&] {
        clock.advanceSecond();
        controller.Timer1_Timer();
    };
    // Within seconds of each, the frame shows the unplug, and the board plugged back as `board` gets
    // the amplifier's state, though the state does not change.
    const auto replug = [&](const Pty& board) {
        QFile::remove(link);
        for (int second = 0; second < 5 && model.relayProblem.isEmpty(); ++second)
            tick();
        EXPECT_EQ(model.relayProblem,
                  QStringLiteral("Röle kartına ulaşılamıyor (USB seri, %1, kanal 1)").arg(link));
        QFile::link(board.slaveName, link);
        QByteArray given;
        for (int second = 0; second < 5 && given.isEmpty(); ++second)
            tick(), given = board.read();
        EXPECT_EQ(model.relayProblem, QString());
        return given.toHex(' ');
    };
    EXPECT_EQ(replug(pty), QByteArray("a0 01 00 a1")); // automatic: off

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

    controller.amp.Command4_Click(); // "Sürekli Açık"
    EXPECT_EQ(pty.read().toHex(' '), QByteArray("a0 01 01 a2"));
    Pty third;
    EXPECT_EQ(replug(third), QByteArray("a0 01 01 a2"));
    EXPECT_EQ(unplugged.read(), QByteArray());
    EXPECT_EQ(journal.count(QStringLiteral("went away")), 2);
}

} // namespace
