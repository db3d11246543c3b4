// The school year in the real program's rehearsal: "vezozil --dir DIR --simulate FROM UNTIL" on a
// folder with a takvim.ics, beside the national calendar the build ships next to the program.
#include "schedule/DayTable.h"
#include "support/RehearsalProcess.h"
#include "support/SchoolFolder.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
const QDate Monday(2026, 10, 26); // 28 Ekim is the Wednesday, 29 Ekim the Thursday
const QString Format = QStringLiteral("yyyy-MM-dd'T'HH:mm:ss");

using Slots::Column;

class CalendarRehearsal : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(programPath().isEmpty()) << "VEZOZIL_EXE is not set";
        school.port(1);
        school.uygulama(QString(), QString(), 1);
        const QString track = school.sound(QStringLiteral("müzik/parça.wav"), 600.0);
        school.muzikler({track});
        school.melodi({.weekendSilent = true, .breakMusic = true, .musicLessons = {1}});
        school.kapat(QStringLiteral("17:00"), QStringLiteral("18:00"));
        // A warm-up looks ahead to every bell: none for a bell the half day silences.
        school.writeBytes(QStringLiteral("ayarlar.ini"), "[Amfi]\nIsinmaSuresi=2\n");
        const QHash<int, QString> day{{Slots::lessonSlot(1, Column::Student), QStringLiteral("09:05")},
                                      {Slots::lessonSlot(1, Column::Exit), QStringLiteral("12:50")},
                                      {Slots::lessonSlot(2, Column::Student), QStringLiteral("13:30")}};
        for (const QString& name : DayTable::weekdays())
            school.day(name, day);
        school.day(QStringLiteral("ozel/Sınav günü"),
                   {{Slots::lessonSlot(1, Column::Student), QStringLiteral("10:00")}});
        for (int melody = 1; melody <= 3; ++melody)
            school.sound(QStringLiteral("melodiler/%1.wav").arg(melody), 4.0);
        school.sound(QStringLiteral("marslar/saygi2.wav"), 120.0);
        school.writeBytes(
            QStringLiteral("takvim.ics"),
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:test\r\n"
            "BEGIN:VEVENT\r\nUID:1\r\nSUMMARY:Sınavlar\r\nCATEGORIES:GUN-TURU\r\n"
            "X-VEZOZIL-GUN-TURU:Sınav günü\r\nDTSTART;VALUE=DATE:20261027\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:2\r\nSUMMARY:Saygı duruşu\r\nCATEGORIES:TOREN\r\n"
            "X-VEZOZIL-SES:saygi2\r\nDTSTART:20261030T090500\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    }

    ProgramRun rehearse(const QDateTime& from, const QDateTime& until, const QStringList& flags = {}) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        return runProgram(QStringList{QStringLiteral("--dir"), school.path(), QStringLiteral("--simulate"),
                                      from.toString(Format), until.toString(Format)} +
                              flags,
                          env);
    }

    SchoolFolder school;
};
} // namespace

TEST_F(CalendarRehearsal, DaysPrintTheirRulesAndRingWhatTheCalendarDecides)
{
    const QDate wednesday = Monday.addDays(2);
    const ProgramRun half =
        rehearse(QDateTime(wednesday, QTime(12, 49, 59)), QDateTime(wednesday, QTime(13, 31)));
    ASSERT_EQ(half.exitCode, 0) << half.errors.toStdString();
    const QString track = school.filePath(QStringLiteral("müzik/parça.wav"));
    // The half day ends the break's music at 13:00 and keeps the 13:30 bell silent.
    EXPECT_EQ(
        half.lines,
        on(wednesday, {"12:49:59 day Çarşamba", "12:49:59 calendar yarim-gun Cumhuriyet Bayramı Arifesi",
                       "12:49:59 relay 888 off", "12:50:00 relay 888 on", "12:50:00 wav play melodiler/3.wav",
                       "12:50:04 wav end", "12:50:04 music play " + track, "13:00:00 music stop",
                       "13:00:00 relay 888 off"}));

    const QDate friday = Monday.addDays(4);
    const ProgramRun ceremony = rehearse(QDateTime(friday, QTime(9, 4, 59)), QDateTime(friday, QTime(9, 8)));
    ASSERT_EQ(ceremony.exitCode, 0) << ceremony.errors.toStdString();
    // The ceremony takes the minute of the 09:05 bell, as the "2 Dk Saygı dur." button plays it.
    EXPECT_EQ(ceremony.lines, on(friday, {"09:04:59 day Cuma", "09:04:59 calendar toren Saygı duruşu",
                                          "09:04:59 relay 888 off", "09:05:00 relay 888 on",
                                          "09:05:00 wav play marslar/saygi2.wav", "09:07:00 wav end",
                                          "09:07:00 relay 888 off"}));

    const ProgramRun week =
        rehearse(QDateTime(Monday, QTime(0, 0)), QDateTime(Monday.addDays(5), QTime(0, 0)),
                 {QStringLiteral("--summary")});
    ASSERT_EQ(week.exitCode, 0) << week.errors.toStdString();
    EXPECT_EQ(week.lines, QStringList({"2026-10-26 - 3 09:05 13:30", "2026-10-27 gun-turu 1 10:00 10:00",
                                       "2026-10-28 yarim-gun 2 09:05 12:50", "2026-10-29 tatil 0 - -",
                                       "2026-10-30 toren 2 12:50 13:30", "2026-10-31 - 0 - -"}));
}

TEST_F(CalendarRehearsal, SkippingQuietSecondsPrintsExactlyWhatEverySecondTickedPrints)
{
    // Varied days: a weekday with music, a day type, a half day, a holiday, a ceremony, a silent
    // weekend; a warm-up before each bell and the shutdown times.
    const QDateTime from(Monday, QTime(0, 0)), until(Monday.addDays(7), QTime(0, 0));
    for (const QStringList& mode : {QStringList(), QStringList{QStringLiteral("--summary")}}) {
        const ProgramRun fast = rehearse(from, until, mode);
        const ProgramRun every = rehearse(from, until, mode + QStringList{QStringLiteral("--tick-by-tick")});
        ASSERT_EQ(fast.exitCode, 0) << fast.errors.toStdString();
        ASSERT_EQ(every.exitCode, 0) << every.errors.toStdString();
        EXPECT_GT(fast.lines.size(), 7);
        EXPECT_EQ(fast.output, every.output) << mode.join(' ').toStdString();
    }
}
