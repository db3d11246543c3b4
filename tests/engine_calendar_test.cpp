// A week of the school year through the engine under the fake clock: a day type, a half day that ends
// a break's music, a national holiday, a ceremony that takes a bell's minute; changes made in the
// calendar window that apply at once; and a takvim.ics that cannot be read.
#include "fakes/EngineScenario.h"
#include "support/TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace EngineScenario;

namespace {
const QDate Monday(2026, 10, 26); // 28 Ekim is the Wednesday, 29 Ekim the Thursday
const QString Takvim = QStringLiteral("takvim.ics");
const QByteArray Entries =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:test\r\n"
    "BEGIN:VEVENT\r\nUID:1\r\nSUMMARY:Sınavlar\r\nCATEGORIES:GUN-TURU\r\nX-VEZOZIL-GUN-TURU:Sınav günü\r\n"
    "DTSTART;VALUE=DATE:20261027\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:2\r\nSUMMARY:Saygı duruşu\r\nCATEGORIES:TOREN\r\nX-VEZOZIL-SES:saygi2\r\n"
    "DTSTART:20261030T090500\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

struct Week
{
    ControllerRig rig{QDateTime(Monday, QTime(7, 0))};

    explicit Week(const QByteArray& takvim = Entries)
    {
        const QHash<int, QString> day{
            {student(1), "09:05"}, {teacher(1), "09:10"}, {exitBell(1), "12:50"}, {student(2), "13:30"}};
        for (const char* name : {"Salı", "Çarşamba", "Perşembe", "Cuma"})
            rig.writeDay(name, day);
        rig.writeFile(QStringLiteral("saatler/ozel/Sınav günü.txt"), "\"10:00\"\r\n");
        rig.writeFile(Takvim, takvim);
        rig.controller->nationalCalendarPath =
            qEnvironmentVariable("VEZOZIL_SOURCE_DIR") + QStringLiteral("/src/calendar/resmi-tatiller.ics");
        start(rig, day, Lengths{.exit = 15});
        rig.setSoundLength(QStringLiteral("\\marslar\\saygi2.wav"), 120);
        musicBreaks(rig, {QStringLiteral("/muzik/bir.mp3")}, 300);
        rig.model.lessonMusic[0] = true;
    }

    // Ticks every second of the school day; the night passes in one step, as a clock set forward.
    void schoolDay(const QDate& date, const QTime& until = QTime(13, 40))
    {
        rig.clock.set(QDateTime(date, QTime(8, 59, 59)));
        rig.wav.played.clear();
        rig.runUntil(until);
    }
    QStringList played() const
    {
        QStringList names;
        for (const QString& p : rig.wav.played)
            names << QDir(rig.dir.path()).relativeFilePath(p);
        return names;
    }
    QStringList notes() const
    {
        QStringList texts;
        for (const CalendarNote& n : rig.model.calendarNotes)
            texts << n.text;
        return texts;
    }
};
} // namespace

TEST(CalendarWeek, EachDayRingsWhatTheCalendarDecides)
{
    Week w;
    const int lesson2 = student(2);
    const struct
    {
        QDate date;
        QStringList played;
        QStringList notes;
        bool bellsOff;
    } days[] = {
        {Monday, {"melodiler/1.wav", "melodiler/2.wav", "melodiler/3.wav", "melodiler/1.wav"}, {}, false},
        {Monday.addDays(1), {"melodiler/1.wav"}, {"Gün türü: Sınav günü"}, false},
        // The break's music ends at 13:00, and the 13:30 bell keeps its time in the grid but is silent.
        {Monday.addDays(2),
         {"melodiler/1.wav", "melodiler/2.wav", "melodiler/3.wav"},
         {"Yarım gün: 13:00'ten sonra zil yok"},
         false},
        {Monday.addDays(3), {}, {"Bugün tatil: Cumhuriyet Bayramı"}, true},
        // The ceremony takes the 09:05 bell's minute; the teacher bell follows it.
        {Monday.addDays(4),
         {"marslar/saygi2.wav", "melodiler/2.wav", "melodiler/3.wav", "melodiler/1.wav"},
         {"09:05'te tören: Saygı duruşu"},
         false},
    };
    for (const auto& d : days) {
        const std::string when = d.date.toString(Qt::ISODate).toStdString();
        w.schoolDay(d.date);
        EXPECT_EQ(w.played(), d.played) << when;
        EXPECT_EQ(w.notes(), d.notes) << when;
        EXPECT_EQ(w.rig.controller->s.bellsOff, d.bellsOff ? 1 : 0) << when;
        if (d.date == Monday.addDays(2)) {
            EXPECT_EQ(w.rig.model.grid[lesson2], QStringLiteral("13:30"));
            EXPECT_EQ(w.rig.model.silencedSlots[lesson2],
                      QStringLiteral("Cumhuriyet Bayramı Arifesi: 13:00'ten sonra zil yok"));
            EXPECT_EQ(w.rig.controller->s.breakActive, 0);
            EXPECT_FALSE(w.rig.music.isPlaying());
        }
    }
    EXPECT_EQ(w.rig.model.text1, QStringLiteral("13:30"));
}

TEST(CalendarWeek, ChangesThatTouchTodayApplyAtOnceAndLeaveTheOperatorsSwitchAlone)
{
    Week w;
    w.schoolDay(Monday, QTime(13, 30, 30)); // the 13:30 bell has rung
    Controller& c = *w.rig.controller;
    const CalendarEntry holiday =
        CalendarEntry::allDayEntry(EntryKind::Holiday, QStringLiteral("Kar tatili"), Monday, Monday);
    ASSERT_EQ(c.calendarCommands.addEntry(holiday), QString());
    EXPECT_EQ(c.s.bellsOff, 1);
    EXPECT_EQ(c.m.label7.caption, Texts::BellsOff);
    EXPECT_TRUE(w.rig.readFile(Takvim).contains("SUMMARY:Kar tatili"));
    ASSERT_EQ(c.calendarCommands.removeEntry(holiday.uid), QString());
    EXPECT_EQ(c.s.bellsOff, 0);
    EXPECT_EQ(c.m.label7.caption, Texts::BellsOn);

    // A day type for today changes today's grid at once; the minute that rang does not ring again.
    CalendarEntry typed = holiday;
    typed.kind = EntryKind::DayType;
    typed.dayType = QStringLiteral("Kış");
    DaySchedule winter;
    winter.fill(QStringLiteral("XX:XX"));
    winter[teacher(1)] = QStringLiteral("13:30");
    winter[student(2)] = QStringLiteral("13:32");
    ASSERT_EQ(c.calendarCommands.saveDayType(QStringLiteral("Kış"), winter), QString());
    ASSERT_EQ(c.calendarCommands.addEntry(typed), QString());
    EXPECT_EQ(c.m.grid[student(2)], QStringLiteral("13:32"));
    w.rig.wav.played.clear();
    w.rig.runUntil(QTime(13, 33));
    EXPECT_EQ(w.played(), QStringList({"melodiler/1.wav"})) << "13:30 rang again, or 13:32 did not ring";
    ASSERT_EQ(c.calendarCommands.removeEntry(typed.uid), QString());

    // An import merges: the entry of a UID already there is replaced, a new one added, one without a
    // date left out.
    w.rig.writeFile(QStringLiteral("dis.ics"), "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\n"
                                               "BEGIN:VEVENT\r\nUID:1\r\nSUMMARY:Sınav haftası\r\n"
                                               "CATEGORIES:GUN-TURU\r\nX-VEZOZIL-GUN-TURU:Sınav günü\r\n"
                                               "DTSTART;VALUE=DATE:20261027\r\nEND:VEVENT\r\n"
                                               "BEGIN:VEVENT\r\nUID:9\r\nSUMMARY:Kar\r\n"
                                               "DTSTART;VALUE=DATE:20261204\r\nEND:VEVENT\r\n"
                                               "BEGIN:VEVENT\r\nUID:8\r\nSUMMARY:Tarihsiz\r\nEND:VEVENT\r\n"
                                               "END:VCALENDAR\r\n");
    const CalendarCommands::ImportResult imported =
        c.calendarCommands.importFile(w.rig.dir.filePath(QStringLiteral("dis.ics")));
    EXPECT_EQ(imported.error, QString());
    EXPECT_EQ(std::tuple(imported.added, imported.replaced, imported.skipped), std::tuple(1, 1, 1));
    EXPECT_EQ(c.calendarCommands.decide(QDate(2026, 12, 4)).rules.value(0).name, QStringLiteral("Kar"));
    EXPECT_EQ(c.calendarCommands.schoolEntries().size(), 3);

    // "Etkinlik için zilleri kapat": the operator's own switch outlives a holiday added and removed.
    w.rig.dialogs.answers = {true};
    c.commands.Command12_Click();
    ASSERT_EQ(c.calendarCommands.addEntry(holiday), QString());
    ASSERT_EQ(c.calendarCommands.removeEntry(holiday.uid), QString());
    EXPECT_EQ(c.s.bellsOff, 1);
}

TEST(CalendarWeek, UnreadableCalendarRingsTheWeekAndIsKeptWhenSavedOver)
{
    const QByteArray broken = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:yarın\r\n";
    Week w(broken);
    Controller& c = *w.rig.controller;
    w.schoolDay(Monday.addDays(1)); // the day type was in the file that cannot be read
    EXPECT_EQ(w.played(),
              QStringList({"melodiler/1.wav", "melodiler/2.wav", "melodiler/3.wav", "melodiler/1.wav"}));
    ASSERT_FALSE(c.m.calendarNotes.isEmpty());
    EXPECT_TRUE(c.m.calendarNotes.first().warning);
    EXPECT_TRUE(c.m.calendarNotes.first().text.startsWith(QStringLiteral("takvim.ics okunamadı")));
    EXPECT_EQ(w.rig.readFile(Takvim), broken) << "the file was touched before a save";
    w.schoolDay(Monday.addDays(3));
    EXPECT_EQ(c.s.bellsOff, 1) << "the national calendar applies all the same";

    // A day type whose file is missing rings the weekday's timetable, and says so.
    const QDate nextThursday = Monday.addDays(10);
    CalendarEntry typed =
        CalendarEntry::allDayEntry(EntryKind::DayType, QStringLiteral("Deneme"), nextThursday, nextThursday);
    typed.dayType = QStringLiteral("Olmayan gün");
    ASSERT_EQ(c.calendarCommands.addEntry(typed), QString());
    EXPECT_EQ(w.rig.readFile(Takvim + QStringLiteral(".bozuk")), broken);
    EXPECT_TRUE(w.rig.readFile(Takvim).contains("X-VEZOZIL-GUN-TURU:Olmayan gün"));
    EXPECT_TRUE(c.calendarCommands.schoolFileProblem().isEmpty());
    w.schoolDay(nextThursday);
    EXPECT_EQ(w.notes(), QStringList({"Gün türü: Olmayan gün",
                                      "Gün türü bulunamadı: Olmayan gün. Bugün Perşembe saatleri çalıyor."}));
    EXPECT_EQ(w.played(),
              QStringList({"melodiler/1.wav", "melodiler/2.wav", "melodiler/3.wav", "melodiler/1.wav"}));
}
