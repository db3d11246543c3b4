// What decides a day: the school's entries and the shipped national calendar, through the reader.
#include "calendar/CalendarFile.h"
#include "calendar/NationalCalendar.h"
#include "calendar/SchoolCalendar.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {
// Events written as the file holds them, "--" between two; each gets a UID.
QList<CalendarEntry> schoolEntries(const char* events)
{
    QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:test\r\n";
    int uid = 0;
    for (const QString& e : QString::fromUtf8(events).split(QStringLiteral("\n--\n"), Qt::SkipEmptyParts))
        ics += "BEGIN:VEVENT\r\nUID:" + QByteArray::number(++uid) + "\r\n" +
               e.toUtf8().replace("\n", "\r\n") + "\r\nEND:VEVENT\r\n";
    const CalendarFile::ReadResult r = CalendarFile::parse(ics + "END:VCALENDAR\r\n");
    EXPECT_EQ(r.status, CalendarFile::Status::Read) << r.problem.toStdString();
    return r.document.entries;
}

QString hhmm(int second)
{
    return QStringLiteral("%1:%2")
        .arg(second / 3600, 2, 10, QLatin1Char('0'))
        .arg(second / 60 % 60, 2, 10, QLatin1Char('0'));
}

// "bells" or "silent", then what else the day holds, each part after " | ".
QString describe(const CalendarDay& d)
{
    QStringList parts{d.bells ? QStringLiteral("bells") : QStringLiteral("silent")};
    if (d.schoolDay)
        parts << QStringLiteral("weekday");
    if (!d.dayType.isEmpty())
        parts << QStringLiteral("type ") + d.dayType;
    for (const AppliedRule& r : d.rules)
        parts << (CalendarRuleWords::word(r.rule) + QLatin1Char(' ') + r.name).trimmed();
    for (const TimedSilence& s : d.silences)
        parts << hhmm(s.from) + QLatin1Char('-') + hhmm(s.to);
    for (const DayCeremony& t : d.ceremonies)
        parts << t.time.toString(QStringLiteral("HH:mm")) + QLatin1Char(' ') + t.sound;
    return parts.join(QStringLiteral(" | "));
}

struct DayCase
{
    const char* name;
    const char* events; // the school's takvim.ics
    QDate date;
    const char* expected;
    bool national = true; // "Resmî tatilleri uygula"
};

const char* const Terms = "CATEGORIES:EGITIM-YILI\nSUMMARY:1. dönem\nDTSTART;VALUE=DATE:20260907\n"
                          "DTEND;VALUE=DATE:20270116";
} // namespace

TEST(CalendarDay, IsDecidedByTheSchoolsEntriesAndTheNationalCalendar)
{
    const QList<CalendarEntry> national = NationalCalendar::load(
        qEnvironmentVariable("VEZOZIL_SOURCE_DIR") + QStringLiteral("/src/calendar/resmi-tatiller.ics"));
    ASSERT_FALSE(national.isEmpty());
    const std::vector<DayCase> cases{
        {"an ordinary weekday", "", QDate(2026, 12, 7), "bells"},
        {"official holiday", "", QDate(2026, 10, 29), "silent | tatil Cumhuriyet Bayramı"},
        {"its eve, a half day", "", QDate(2026, 10, 28),
         "bells | yarim-gun Cumhuriyet Bayramı Arifesi | 13:00-24:00"},
        {"third day of Ramazan Bayramı", "", QDate(2027, 3, 11), "silent | tatil Ramazan Bayramı"},
        {"the day after it", "", QDate(2027, 3, 12), "bells"},
        {"two holidays: the later one names it", "", QDate(2027, 5, 19),
         "silent | tatil Atatürk'ü Anma, Gençlik ve Spor Bayramı"},
        {"10 Kasım", "", QDate(2026, 11, 10), "bells | toren 10 Kasım Atatürk'ü Anma | 09:05 saygi2"},
        {"national calendar switched off", "", QDate(2026, 10, 29), "bells", false},
        {"a school day overrides a holiday",
         "CATEGORIES:OKUL-GUNU\nSUMMARY:Telafi\nDTSTART;VALUE=DATE:20261028", QDate(2026, 10, 28),
         "bells | weekday | okul-gunu Telafi"},
        {"a Saturday school day with the day type it rings",
         "CATEGORIES:OKUL-GUNU\nSUMMARY:Telafi\nDTSTART;VALUE=DATE:20261219\nX-VEZOZIL-GUN-TURU:Pazartesi "
         "programı",
         QDate(2026, 12, 19),
         "bells | weekday | type Pazartesi programı | okul-gunu Telafi | gun-turu Pazartesi programı"},
        {"outside the school year", Terms, QDate(2027, 1, 18), "silent | egitim-yili-disi"},
        {"inside it", Terms, QDate(2027, 1, 15), "bells"},
        {"a break's last day",
         "CATEGORIES:TATIL\nSUMMARY:Ara tatil\nDTSTART;VALUE=DATE:20261109\nDTEND;VALUE=DATE:20261114",
         QDate(2026, 11, 13), "silent | tatil Ara tatil"},
        {"DTEND is the day after",
         "CATEGORIES:TATIL\nSUMMARY:Ara tatil\nDTSTART;VALUE=DATE:20261109\nDTEND;VALUE=DATE:20261114",
         QDate(2026, 11, 14), "bells"},
        {"no DTEND: one day", "CATEGORIES:TATIL\nSUMMARY:Kar tatili\nDTSTART;VALUE=DATE:20261216",
         QDate(2026, 12, 16), "silent | tatil Kar tatili"},
        {"the later of two day types",
         "CATEGORIES:GUN-TURU\nSUMMARY:Kış\nX-VEZOZIL-GUN-TURU:30 dakika\nDTSTART;VALUE=DATE:20261201\n"
         "DTEND;VALUE=DATE:20270301\n--\nCATEGORIES:GUN-TURU\nSUMMARY:Sınavlar\nX-VEZOZIL-GUN-TURU:Sınav "
         "günü\n"
         "DTSTART;VALUE=DATE:20261214\nDTEND;VALUE=DATE:20261219",
         QDate(2026, 12, 15), "bells | type Sınav günü | gun-turu Sınav günü"},
        {"imported all-day event", "SUMMARY:Kurum tatili\nDTSTART;VALUE=DATE:20261204", QDate(2026, 12, 4),
         "silent | tatil Kurum tatili"},
        {"imported timed event", "SUMMARY:Toplantı\nDTSTART:20261204T100000\nDTEND:20261204T120000",
         QDate(2026, 12, 4), "bells"},
        {"weekly rule",
         "CATEGORIES:GUN-TURU\nSUMMARY:Kısa\nX-VEZOZIL-GUN-TURU:Kısa gün\nDTSTART;VALUE=DATE:20260902\n"
         "RRULE:FREQ=WEEKLY\nEXDATE;VALUE=DATE:20261209",
         QDate(2026, 12, 16), "bells | type Kısa gün | gun-turu Kısa gün"},
        {"its EXDATE",
         "CATEGORIES:GUN-TURU\nSUMMARY:Kısa\nX-VEZOZIL-GUN-TURU:Kısa gün\nDTSTART;VALUE=DATE:20260902\n"
         "RRULE:FREQ=WEEKLY\nEXDATE;VALUE=DATE:20261209",
         QDate(2026, 12, 9), "bells"},
        {"hours off within the day",
         "CATEGORIES:TATIL\nSUMMARY:Veli toplantısı\nDTSTART:20261204T100000\nDTEND:20261204T120000",
         QDate(2026, 12, 4), "bells | saatli-tatil Veli toplantısı | 10:00-12:00"},
        {"a day type that is no file name",
         "CATEGORIES:GUN-TURU\nSUMMARY:X\nX-VEZOZIL-GUN-TURU:a/b\nDTSTART;VALUE=DATE:20261204",
         QDate(2026, 12, 4), "bells"},
        {"a ceremony with an unknown sound",
         "CATEGORIES:TOREN\nSUMMARY:X\nX-VEZOZIL-SES:davul\nDTSTART:20261204T090000", QDate(2026, 12, 4),
         "bells"},
        {"a ceremony on a holiday",
         "CATEGORIES:TOREN\nSUMMARY:Tören\nX-VEZOZIL-SES:istiklal\nDTSTART:20261029T090000",
         QDate(2026, 10, 29), "silent | tatil Cumhuriyet Bayramı"},
    };
    for (const DayCase& c : cases) {
        SchoolCalendar calendar;
        calendar.setNational(national);
        calendar.setNationalApplies(c.national);
        calendar.setSchool(schoolEntries(c.events));
        EXPECT_EQ(describe(calendar.decide(c.date)), QString::fromUtf8(c.expected)) << c.name;
    }
}

TEST(CalendarDay, ReligiousHolidaysRunOutFromSeptemberOfTheTablesLastYear)
{
    SchoolCalendar calendar;
    calendar.setNational(NationalCalendar::load(qEnvironmentVariable("VEZOZIL_SOURCE_DIR") +
                                                QStringLiteral("/src/calendar/resmi-tatiller.ics")));
    EXPECT_EQ(calendar.lastReligiousYear(), 2030);
    EXPECT_FALSE(calendar.religiousHolidaysRunOut(QDate(2030, 8, 31)));
    EXPECT_TRUE(calendar.religiousHolidaysRunOut(QDate(2030, 9, 1)));
    // The school enters the next year's: the warning waits for that year's September.
    calendar.setSchool(schoolEntries("CATEGORIES:TATIL\nSUMMARY:Ramazan Bayramı\nX-VEZOZIL-KAYNAK:DINI\n"
                                     "DTSTART;VALUE=DATE:20310124\nDTEND;VALUE=DATE:20310127"));
    EXPECT_FALSE(calendar.religiousHolidaysRunOut(QDate(2030, 9, 1)));
    EXPECT_TRUE(calendar.religiousHolidaysRunOut(QDate(2031, 9, 1)));
}
