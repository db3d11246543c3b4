// Rehearsals through the real program: "vezozil --dir DIR --simulate FROM UNTIL" on a program folder
// written with real settings files, its standard output compared line by line.
#include "app/CommandLine.h"
#include "support/RehearsalProcess.h"
#include "support/SchoolFolder.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
const QDate Monday(2026, 12, 7);
const QDate Wednesday(2026, 12, 9);
const QDate Saturday(2026, 12, 12);
const QDate Sunday(2026, 12, 13);

using Slots::Column;
constexpr int slot(int lesson, Column column)
{
    return Slots::lessonSlot(lesson, column);
}

class Rehearsal : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(programPath().isEmpty()) << "VEZOZIL_EXE is not set";
        ASSERT_TRUE(school.dir.isValid() && runtime.isValid());
        // The settings of a school that rehearses: LPT1, shutdown at 17:00 and 18:00, music at breaks.
        school.port(1);
        school.kapat(QStringLiteral("17:00"), QStringLiteral("18:00"));
        school.uygulama(QStringLiteral("/opt/radyo/liste.m3u"), QStringLiteral("radyo.exe"), 1);
        school.muzikler({});
        school.melodi({});
        for (const char* melody : {"melodiler/1.wav", "melodiler/2.wav"})
            school.sound(QString::fromLatin1(melody), 2.0);
        school.sound(QStringLiteral("melodiler/3.wav"), 4.0);
    }

    // Neither a display nor a sound card is offered: a rehearsal that reached for either would
    // fail or leave its traces here.
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("disk"));
        env.insert(QStringLiteral("SDL_DISKAUDIOFILE"), runtime.filePath(QStringLiteral("sound.raw")));
        return env;
    }

    ProgramRun rehearse(const QDateTime& from, const QDateTime& until) const
    {
        const QString format = QStringLiteral("yyyy-MM-dd'T'HH:mm:ss");
        return runProgram({QStringLiteral("--dir"), school.path(), QStringLiteral("--simulate"),
                           from.toString(format), until.toString(format)},
                          environment());
    }
    ProgramRun rehearse(const QDate& date, const QTime& from, const QTime& until) const
    {
        return rehearse(QDateTime(date, from), QDateTime(date, until));
    }

    SchoolFolder school;
    QTemporaryDir runtime;
};

// A track of the music list, whichever was drawn, reads "<parça>", so a rehearsal compares exactly.
QStringList withAnyTrack(QStringList lines, const QStringList& tracks)
{
    for (QString& line : lines) {
        for (const QString& t : tracks) {
            if (line.endsWith(QStringLiteral(" music play ") + t))
                line.replace(line.size() - t.size(), t.size(), QStringLiteral("<parça>"));
        }
    }
    return lines;
}
} // namespace

TEST_F(Rehearsal, WeekdayMorningRingsEachBellWithTheRelayAroundItsMelody)
{
    school.melodi({.announceStudent = true});
    school.sound(QStringLiteral("melodiler/anons1.wav"), 5.0);
    school.day(QStringLiteral("Pazartesi"), {{slot(1, Column::Student), QStringLiteral("08:40")},
                                             {slot(1, Column::Teacher), QStringLiteral("08:41")},
                                             {slot(1, Column::Exit), QStringLiteral("08:42")}});
    const ProgramRun run = rehearse(Monday, QTime(8, 39, 59), QTime(8, 43, 0));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    // The announcement follows the student melody in its minute, with the amplifier on through the gap;
    // the teacher melody has none (Check2 clear), and the exit melody never has one.
    EXPECT_EQ(
        run.lines,
        on(Monday, {"08:39:59 day Pazartesi", "08:39:59 relay 888 off", "08:40:00 relay 888 on",
                    "08:40:00 wav play melodiler/1.wav", "08:40:02 wav end",
                    "08:40:02 wav play melodiler/anons1.wav", "08:40:07 wav end", "08:40:07 relay 888 off",
                    "08:41:00 relay 888 on", "08:41:00 wav play melodiler/2.wav", "08:41:02 wav end",
                    "08:41:02 relay 888 off", "08:42:00 relay 888 on", "08:42:00 wav play melodiler/3.wav",
                    "08:42:04 wav end", "08:42:04 relay 888 off"}));
}

TEST_F(Rehearsal, MarkedBreakChainsMusicTracksUntilTheNextBellStopsThem)
{
    school.melodi({.breakMusic = true, .musicLessons = {1}});
    // Stored as the operator chose them: one with Turkish letters and a blank in its name.
    const QStringList tracks{school.sound(QStringLiteral("müzik/Şarkı bir.wav"), 20.0),
                             school.sound(QStringLiteral("müzik/iki.wav"), 20.0)};
    school.muzikler(tracks);
    school.day(QStringLiteral("Pazartesi"), {{slot(1, Column::Exit), QStringLiteral("09:30")},
                                             {slot(2, Column::Student), QStringLiteral("09:31")}});
    const ProgramRun run = rehearse(Monday, QTime(9, 29, 59), QTime(9, 32, 0));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    // The amplifier stays on from the exit melody through every track, with no off and on between
    // them; the student bell stops the music before its melody starts.
    EXPECT_EQ(withAnyTrack(run.lines, tracks),
              on(Monday, {"09:29:59 day Pazartesi", "09:29:59 relay 888 off", "09:30:00 relay 888 on",
                          "09:30:00 wav play melodiler/3.wav", "09:30:04 wav end",
                          "09:30:04 music play <parça>", "09:30:24 music end",
                          "09:30:24 music play <parça>", "09:30:44 music end", "09:30:44 music play <parça>",
                          "09:31:00 music stop", "09:31:00 wav play melodiler/1.wav", "09:31:02 wav end",
                          "09:31:02 relay 888 off"}));
}

TEST_F(Rehearsal, ProgramModeOpensTheProgramAtTheBreakAndKillsItAtTheStudentBell)
{
    school.uygulama(QStringLiteral("/opt/radyo/liste.m3u"), QStringLiteral("radyo.exe"), 0);
    school.melodi({.breakMusic = true, .musicLessons = {1}});
    school.day(QStringLiteral("Pazartesi"), {{slot(1, Column::Exit), QStringLiteral("09:30")},
                                             {slot(2, Column::Teacher), QStringLiteral("09:31")},
                                             {slot(2, Column::Student), QStringLiteral("09:32")}});
    const ProgramRun run = rehearse(Monday, QTime(9, 29, 59), QTime(9, 33, 0));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    // Every exit and student bell ends the program; the teacher bell between leaves it running.
    EXPECT_EQ(
        run.lines,
        on(Monday, {"09:29:59 day Pazartesi", "09:29:59 relay 888 off", "09:30:00 kill radyo.exe",
                    "09:30:00 relay 888 on", "09:30:00 wav play melodiler/3.wav", "09:30:04 wav end",
                    "09:30:04 open /opt/radyo/liste.m3u",
                    "09:31:00 wav play melodiler/2.wav", "09:31:02 wav end", "09:31:02 relay 888 off",
                    "09:32:00 kill radyo.exe", "09:32:00 relay 888 on", "09:32:00 wav play melodiler/1.wav",
                    "09:32:02 wav end", "09:32:02 relay 888 off"}));
}

TEST_F(Rehearsal, SaturdayWithWeekendCloseQuitsInTheFirstTickAndEndsTheRun)
{
    school.melodi({.weekendClose = true});
    school.day(QStringLiteral("Cumartesi"), {{slot(1, Column::Student), QStringLiteral("10:00")}});
    const ProgramRun run = rehearse(Saturday, QTime(9, 59, 58), QTime(10, 30, 0));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(run.lines, on(Saturday, {"09:59:58 day Cumartesi", "09:59:58 relay 888 off", "09:59:59 quit"}));
}

TEST_F(Rehearsal, SundayWithWeekendSilenceRingsNoBellAllDay)
{
    school.melodi({.weekendSilent = true, .breakMusic = true, .musicLessons = {1, 2, 3, 4, 5, 6, 7, 8}});
    school.muzikler({school.sound(QStringLiteral("müzik/parça.wav"), 20.0)});
    // A full day's timetable: every lesson's three bells and both assembly times.
    QHash<int, QString> slots;
    for (int i = 0; i < Slots::Count; ++i)
        slots[i] = QTime(7, 0).addSecs(15 * 60 * i).toString(QStringLiteral("HH:mm"));
    school.day(QStringLiteral("Pazar"), slots);
    const ProgramRun run = rehearse(Sunday, QTime(0, 0, 0), QTime(23, 59, 59));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    // Only the weekend shutdown time, which does not depend on the bells.
    EXPECT_EQ(run.lines, on(Sunday, {"00:00:00 day Pazar", "00:00:00 relay 888 off", "18:00:00 shutdown"}));
}

TEST_F(Rehearsal, WeekendCloseQuitsInTheTickThatBringsSaturday)
{
    school.melodi({.weekendClose = true});
    school.day(QStringLiteral("Cuma"), {});
    school.day(QStringLiteral("Cumartesi"), {{slot(1, Column::Student), QStringLiteral("00:01")}});
    const ProgramRun run =
        rehearse(QDateTime(Saturday.addDays(-1), QTime(23, 59, 58)), QDateTime(Saturday, QTime(12, 0, 0)));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(run.lines, QStringList({"2026-12-11T23:59:58 day Cuma", "2026-12-11T23:59:58 relay 888 off",
                                      "2026-12-12T00:00:00 day Cumartesi", "2026-12-12T00:00:00 quit"}));
}

TEST_F(Rehearsal, WeekendSilenceEndsWithSundayAtMidnight)
{
    school.melodi({.weekendSilent = true});
    school.day(QStringLiteral("Pazar"), {{slot(1, Column::Student), QStringLiteral("23:59")}});
    school.day(QStringLiteral("Pazartesi"), {{slot(1, Column::Student), QStringLiteral("00:00")}});
    const ProgramRun run =
        rehearse(QDateTime(Sunday, QTime(23, 58, 58)), QDateTime(Sunday.addDays(1), QTime(0, 0, 5)));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(run.lines, QStringList({"2026-12-13T23:58:58 day Pazar", "2026-12-13T23:58:58 relay 888 off",
                                      "2026-12-14T00:00:00 day Pazartesi", "2026-12-14T00:00:00 relay 888 on",
                                      "2026-12-14T00:00:00 wav play melodiler/1.wav",
                                      "2026-12-14T00:00:02 wav end", "2026-12-14T00:00:02 relay 888 off"}));
}

TEST_F(Rehearsal, EachDayShutsDownOnceAtItsOwnTime)
{
    school.kapat(QStringLiteral("17:00"), QStringLiteral("17:02"));
    for (const QString& day : {QStringLiteral("Çarşamba"), QStringLiteral("Cumartesi")})
        school.day(day, {});
    const struct
    {
        QDate date;
        const char* day;
        const char* shutdown;
    } cases[] = {{Wednesday, "Çarşamba", "17:00:00 shutdown"}, {Saturday, "Cumartesi", "17:02:00 shutdown"}};
    for (const auto& c : cases) {
        const ProgramRun run = rehearse(c.date, QTime(16, 59, 58), QTime(17, 4, 0));
        ASSERT_TRUE(run.finished) << c.day;
        EXPECT_EQ(run.exitCode, 0) << c.day << run.errors.toStdString();
        EXPECT_EQ(run.lines, on(c.date, {QStringLiteral("16:59:58 day ") + QString::fromUtf8(c.day),
                                         "16:59:58 relay 888 off", QString::fromUtf8(c.shutdown)}))
            << c.day;
    }
}

TEST_F(Rehearsal, MidnightLoadsTheNewDaysTimetable)
{
    school.day(QStringLiteral("Pazartesi"), {{slot(1, Column::Student), QStringLiteral("00:01")}});
    school.day(QStringLiteral("Salı"), {{slot(1, Column::Exit), QStringLiteral("00:01")}});
    const ProgramRun run =
        rehearse(QDateTime(Monday, QTime(23, 59, 58)), QDateTime(Monday.addDays(1), QTime(0, 1, 10)));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(run.lines,
              QStringList({"2026-12-07T23:59:58 day Pazartesi", "2026-12-07T23:59:58 relay 888 off",
                           "2026-12-08T00:00:00 day Salı", "2026-12-08T00:01:00 relay 888 on",
                           "2026-12-08T00:01:00 wav play melodiler/3.wav", "2026-12-08T00:01:04 wav end",
                           "2026-12-08T00:01:04 relay 888 off"}));
}

TEST_F(Rehearsal, StoredFilesAreFoundWhateverTheirLetterCase)
{
    for (const char* name : {"melodi.txt", "port.txt", "saatler/Pazartesi.txt"})
        QFile::remove(school.filePath(QString::fromUtf8(name)));
    school.writeLines(QStringLiteral("PORT.TXT"), {QStringLiteral("3")});
    // Melody 1 for the student bell: without the file it would be melody 0.
    school.writeLines(QStringLiteral("Melodi.txt"), MelodiSettings{}.lines());
    QDir(school.path()).rename(QStringLiteral("saatler"), QStringLiteral("Saatler"));
    school.writeLines(QStringLiteral("Saatler/pazartesi.TXT"), {QStringLiteral("\"08:40\"")});
    const ProgramRun run = rehearse(Monday, QTime(8, 39, 59), QTime(8, 40, 5));
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(run.lines, on(Monday, {"08:39:59 day Pazartesi", "08:39:59 relay 956 off",
                                     "08:40:00 relay 956 on", "08:40:00 wav play melodiler/1.wav",
                                     "08:40:02 wav end", "08:40:02 relay 956 off"}));
}

TEST_F(Rehearsal, RelativeFolderPrintsTheSamePaths)
{
    school.day(QStringLiteral("Pazartesi"), {{slot(1, Column::Exit), QStringLiteral("08:40")}});
    QProcess process;
    process.setProcessEnvironment(environment());
    process.setWorkingDirectory(school.filePath(QStringLiteral("saatler")));
    process.start(programPath(),
                  {QStringLiteral("--dir"), QStringLiteral(".."), QStringLiteral("--simulate"),
                   QStringLiteral("2026-12-07T08:39:59"), QStringLiteral("2026-12-07T08:40:01")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(outputLines(process.readAllStandardOutput()),
              on(Monday, {"08:39:59 day Pazartesi", "08:39:59 relay 888 off", "08:40:00 relay 888 on",
                          "08:40:00 wav play melodiler/3.wav"}));
}

TEST_F(Rehearsal, RunTouchesNoWindowSoundCardLockOrStoredFile)
{
    // Two lines, the last one winning: a rehearsal that saved the port choice would rewrite it.
    school.writeLines(QStringLiteral("port.txt"), {QStringLiteral("2"), QStringLiteral("1")});
    school.melodi({.weekendClose = true});
    school.day(QStringLiteral("Pazartesi"), {{slot(1, Column::Student), QStringLiteral("08:40")}});
    school.day(QStringLiteral("Cumartesi"), {});
    const auto before = school.snapshot();

    const ProgramRun weekday = rehearse(Monday, QTime(8, 39, 59), QTime(8, 40, 5));
    const ProgramRun closing = rehearse(Saturday, QTime(8, 0, 0), QTime(8, 1, 0));
    EXPECT_EQ(weekday.exitCode, 0) << weekday.errors.toStdString();
    EXPECT_TRUE(weekday.lines.contains(QStringLiteral("2026-12-07T08:40:00 wav play melodiler/1.wav")));
    EXPECT_EQ(closing.exitCode, 0) << closing.errors.toStdString();
    EXPECT_EQ(closing.lines.last(), QStringLiteral("2026-12-12T08:00:01 quit"));
    EXPECT_EQ(school.changedSince(before), QStringList());
    EXPECT_EQ(QDir(runtime.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList());
}

TEST_F(Rehearsal, MalformedCommandLinesPrintTheReasonAndTheUsageAndExitTwo)
{
    const QString dir = school.path();
    const QString from = QStringLiteral("2026-12-07T08:00:00");
    const QString until = QStringLiteral("2026-12-07T08:05:00");
    const struct
    {
        const char* name;
        QStringList arguments;
    } cases[] = {
        {"no times", {"--dir", dir, "--simulate"}},
        {"one time", {"--dir", dir, "--simulate", from}},
        {"no folder", {"--simulate", from, until}},
        {"missing folder", {"--dir", dir + "/yok", "--simulate", from, until}},
        {"time without seconds", {"--dir", dir, "--simulate", "2026-12-07T08:00", until}},
        {"date that does not exist", {"--dir", dir, "--simulate", from, "2026-02-30T08:00:00"}},
        {"until before from", {"--dir", dir, "--simulate", until, from}},
        {"unknown option", {"--dir", dir, "--simulate", from, until, "--hizli"}},
    };
    for (const auto& c : cases) {
        const ProgramRun run = runProgram(c.arguments, environment());
        ASSERT_TRUE(run.finished) << c.name;
        EXPECT_EQ(run.exitCode, 2) << c.name;
        EXPECT_TRUE(run.output.isEmpty()) << c.name;
        // One line that says what is wrong, then the usage.
        const qsizetype end = run.errors.indexOf(QLatin1Char('\n'));
        EXPECT_TRUE(run.errors.startsWith(QStringLiteral("vezozil: "))) << c.name;
        EXPECT_EQ(run.errors.mid(end + 1), usageText()) << c.name << ": " << run.errors.toStdString();
    }
}
