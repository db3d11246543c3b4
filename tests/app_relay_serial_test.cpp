// The real program with a USB-serial relay on a pseudo-terminal, started offscreen at a bell time
// that libfaketime gives it: the relay's bytes arrive at start-up, at the bell and after its sound,
// and the board plugged back elsewhere (its link re-pointed) is given the amplifier's state again.
#include "support/Pty.h"
#include "support/RehearsalProcess.h"
#include "support/SchoolFolder.h"
#include "support/TestSupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// libfaketime, preloaded into the program itself: the `faketime` wrapper would stand between the
// test and the program, and a signal to the wrapper would not reach it.
QString libfaketime()
{
    const QDir lib(QStringLiteral("/usr/lib"));
    QStringList candidates{lib.filePath(QStringLiteral("faketime/libfaketime.so.1"))};
    for (const QString& arch : lib.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        candidates << lib.filePath(arch + QStringLiteral("/faketime/libfaketime.so.1"));
    for (const QString& path : candidates) {
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

TEST(SerialRelayProgram, WritesTheBoardAtTheBellAndAfterItsSound)
{
    ASSERT_FALSE(programPath().isEmpty()) << "VEZOZIL_EXE is not set";
    const QString faketime = libfaketime();
    ASSERT_FALSE(faketime.isEmpty()) << "libfaketime is missing: run scripts/install-deps";
    Pty pty;
    Pty pluggedBack;
    ASSERT_FALSE(pty.slaveName.isEmpty() || pluggedBack.slaveName.isEmpty()) << "openpty failed";
    QTemporaryDir links;
    const QString link = links.filePath(QStringLiteral("usb-1a86_USB_Serial-if00-port0"));
    ASSERT_TRUE(QFile::link(pty.slaveName, link));

    SchoolFolder school;
    school.day(QStringLiteral("Pazartesi"),
               {{Slots::lessonSlot(1, Slots::Column::Student), QStringLiteral("08:01")}});
    school.melodi({});
    school.kapat(QStringLiteral("XX:XX"), QStringLiteral("XX:XX"));
    school.sound(QStringLiteral("melodiler/1.wav"), 2.0);
    school.writeBytes(QStringLiteral("ayarlar.ini"),
                      "[Role]\nTur=usb-seri\nAygit=" + link.toUtf8() + "\nKanal=1\n");
    QTemporaryDir runtime;

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("vezozil.*=true"));
    // The wall clock starts three seconds before the bell, on a Monday, and runs on; the timers keep
    // real time.
    env.insert(QStringLiteral("LD_PRELOAD"), faketime);
    env.insert(QStringLiteral("FAKETIME"), QStringLiteral("@2026-12-07 08:00:57"));
    env.insert(QStringLiteral("FAKETIME_DONT_FAKE_MONOTONIC"), QStringLiteral("1"));
    // A sanitizer build wants its runtime loaded first; libfaketime before it does no harm.
    const QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               (asan.isEmpty() ? QString() : asan + QLatin1Char(':')) + QStringLiteral("verify_asan_link_order=0"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(programPath(), {QStringLiteral("--dir"), school.path()});
    ASSERT_TRUE(program.waitForStarted(10000));

    // Start-up's Reset, the bell's switching on, the switching off after the sound: 12 bytes.
    QByteArray bytes;
    const QDeadlineTimer deadline(60000);
    while (bytes.size() < 12 && !deadline.hasExpired() && program.state() == QProcess::Running) {
        program.waitForFinished(50);
        bytes += pty.read();
    }
    // The board plugged back elsewhere, with no bell due: it is given the amplifier's state all the same.
    QFile::remove(link);
    QFile::link(pluggedBack.slaveName, link);
    QByteArray given;
    const QDeadlineTimer replugDeadline(10000);
    while (given.size() < 4 && !replugDeadline.hasExpired() && program.state() == QProcess::Running) {
        program.waitForFinished(50);
        given += pluggedBack.read();
    }
    program.terminate(); // the program ends on SIGTERM through its unload
    if (!program.waitForFinished(10000)) {
        program.kill();
        program.waitForFinished(5000);
    }
    bytes += pty.read();
    const QString errors = QString::fromUtf8(program.readAllStandardError());
    EXPECT_EQ(bytes.toHex(' '), QByteArray("a0 01 00 a1 a0 01 01 a2 a0 01 00 a1")) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("08:01")))
        << errors.toStdString(); // the bell rang at its time
    EXPECT_EQ(given.toHex(' '), QByteArray("a0 01 00 a1")) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("went away")) &&
                errors.contains(QStringLiteral("works again")))
        << errors.toStdString();
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

} // namespace
