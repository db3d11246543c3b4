// takvim.ics through libical: what is read is what is saved, nothing another program wrote is lost,
// and a file libical cannot read is reported, never taken for an empty calendar.
#include "calendar/CalendarFile.h"
#include "support/TempFolder.h"
#include "support/TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {
const QByteArray School = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Başka Program//TR\r\n"
                          "X-WR-CALNAME:Okul takvimi\r\n"
                          // A yearly holiday with a year left out.
                          "BEGIN:VEVENT\r\nUID:1\r\nSUMMARY:Kuruluş günü\r\nCATEGORIES:TATIL\r\n"
                          "DTSTART;VALUE=DATE:20261120\r\nRRULE:FREQ=YEARLY\r\nEXDATE;VALUE=DATE:20271120\r\n"
                          "END:VEVENT\r\n"
                          "BEGIN:VEVENT\r\nUID:2\r\nSUMMARY:Veli günü\r\nCATEGORIES:TATIL\r\n"
                          "DTSTART:20261204T130000\r\nDTEND:20261205T000000\r\nEND:VEVENT\r\n"
                          "BEGIN:VEVENT\r\nUID:3\r\nSUMMARY:Sınavlar\\, 1. hafta\r\nCATEGORIES:GUN-TURU\r\n"
                          "X-VEZOZIL-GUN-TURU:Sınav günü\r\nDTSTART;VALUE=DATE:20270111\r\n"
                          "DTEND;VALUE=DATE:20270116\r\nEND:VEVENT\r\n"
                          "BEGIN:VEVENT\r\nUID:4\r\nSUMMARY:Bayrak töreni\r\nCATEGORIES:TOREN\r\n"
                          "X-VEZOZIL-SES:istiklal\r\nDTSTART:20260907T082500\r\nEND:VEVENT\r\n"
                          // Imported from another calendar: no category of ours, properties of its own.
                          "BEGIN:VEVENT\r\nUID:5\r\nSUMMARY:Kurum tatili\r\nDESCRIPTION:Valilik kararı\r\n"
                          "CATEGORIES:Resmi\r\nX-GOOGLE-RENK:kırmızı\r\nDTSTART;VALUE=DATE:20261218\r\n"
                          "END:VEVENT\r\n"
                          "END:VCALENDAR\r\n";

CalendarDocument read(const QByteArray& bytes)
{
    const CalendarFile::ReadResult r = CalendarFile::parse(bytes);
    EXPECT_EQ(r.status, CalendarFile::Status::Read) << r.problem.toStdString();
    return r.document;
}
} // namespace

TEST(TakvimIcs, SavedAndReadAgainHoldsTheSameEntriesAndWhatOtherProgramsWrote)
{
    const CalendarDocument first = read(School);
    ASSERT_EQ(first.entries.size(), 5);
    EXPECT_EQ(first.entries[4].kind, EntryKind::Holiday); // all day, no category of ours
    EXPECT_EQ(first.entries[2].summary, QStringLiteral("Sınavlar, 1. hafta"));

    // A new entry of each form, and the imported one changed by the operator.
    CalendarDocument changed = first;
    changed.entries[4].summary = QStringLiteral("Kurum tatili (iki gün)");
    changed.entries[4].end = changed.entries[4].end.addDays(1);
    changed.entries << CalendarEntry::allDayEntry(EntryKind::SchoolDay, QStringLiteral("Telafi"),
                                                  QDate(2026, 12, 19), QDate(2026, 12, 19))
                    << CalendarEntry::timedEntry(EntryKind::Ceremony, QStringLiteral("Saygı"),
                                                 QDateTime(QDate(2026, 11, 10), QTime(9, 5)), {});
    changed.entries.last().sound = QStringLiteral("saygi2");

    const QByteArray saved = CalendarFile::serialise(changed);
    const CalendarDocument again = read(saved);
    ASSERT_EQ(again.entries.size(), changed.entries.size());
    for (qsizetype i = 0; i < again.entries.size(); ++i) {
        EXPECT_TRUE(again.entries[i].sameAs(changed.entries[i])) << again.entries[i].raw.toStdString();
        EXPECT_TRUE(again.entries[i].problem.isEmpty()) << again.entries[i].problem.toStdString();
    }
    // Untouched entries are saved as they were read, byte for byte.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(again.entries[i].raw, first.entries[i].raw) << i;
    // The changed one keeps what the other program wrote, and now says what it is.
    for (const char* kept : {"DESCRIPTION:Valilik kararı", "CATEGORIES:Resmi", "X-GOOGLE-RENK:kırmızı",
                             "CATEGORIES:TATIL", "DTEND;VALUE=DATE:20261220"})
        EXPECT_TRUE(again.entries[4].raw.contains(kept)) << kept << "\n"
                                                         << again.entries[4].raw.toStdString();
    EXPECT_TRUE(saved.contains("X-WR-CALNAME:Okul takvimi"));
    EXPECT_TRUE(saved.contains("PRODID:-//Başka Program//TR"));
}

TEST(TakvimIcs, FileThatCannotBeReadIsReportedAndReadAsNothing)
{
    TempFolder t;
    const QString path = t.folder.path(CalendarFile::FileName);
    const struct
    {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"not UTF-8", QByteArray(School).replace("Kuruluş", "Kurulu\xfe")},
        {"not iCalendar", "Zil saatleri: 08:40, 09:30\r\n"},
        {"cut off", School.left(300)},
        {"a line libical cannot read",
         QByteArray(School).replace("DTSTART:20261204T130000", "DTSTART:yarin")},
        {"a NUL byte", QByteArray(School).replace("Veli", QByteArray("Ve\0li", 5))},
    };
    for (const auto& c : cases) {
        t.write(CalendarFile::FileName, c.bytes);
        const CalendarFile::ReadResult r = CalendarFile::read(path);
        EXPECT_EQ(r.status, CalendarFile::Status::Broken) << c.name;
        EXPECT_FALSE(r.problem.isEmpty()) << c.name;
        EXPECT_TRUE(r.document.entries.isEmpty()) << c.name;
    }
    QFile::remove(path);
    EXPECT_EQ(CalendarFile::read(path).status, CalendarFile::Status::Missing);
    QDir().mkpath(path); // a folder in the file's place
    EXPECT_EQ(CalendarFile::read(path).status, CalendarFile::Status::Broken);
}
