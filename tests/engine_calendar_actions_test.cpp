// What the calendar window's buttons do, through the dialog seams: an entry dialog that opens again
// with what was typed until the calendar takes it, the questions before a day type without its file
// and before an unreadable takvim.ics is replaced, and entries that go out and come back through files.
#include "fakes/ControllerRig.h"

#include "engine/CalendarActions.h"

#include <gtest/gtest.h>

namespace {
using NewEntry = CalendarActions::NewEntry;
using Answer = std::function<bool(CalendarEntry&)>;
const QDate Day(2026, 12, 9);

Answer typed(const QString& summary, const QString& dayType = {}, int days = 1)
{
    return [=](CalendarEntry& e) {
        e.summary = summary;
        e.dayType = dayType;
        if (e.allDay)
            e.end = e.start.addDays(days); // zero or fewer days: ends before it starts
        return true;
    };
}

// The dialog must open on what the operator typed the last time, not on a fresh entry.
Answer expectSummaryThenType(const QString& shown, const QString& summary)
{
    return [=](CalendarEntry& e) {
        EXPECT_EQ(e.summary, shown);
        EXPECT_EQ(e.firstDay(), Day);
        return typed(summary)(e);
    };
}
} // namespace

TEST(CalendarActions, EntryDialogOpensAgainOnWhatWasTypedUntilTheCalendarTakesIt)
{
    const struct
    {
        const char* what;
        NewEntry kind;
        std::vector<Answer> dialogs;
        std::deque<bool> yesNo;
        int saved;
        QStringList told;
    } cases[] = {
        {"unnamed, then named", NewEntry::Holiday,
         {typed(QStringLiteral("  ")), expectSummaryThenType(QStringLiteral("  "), QStringLiteral("Kar tatili"))},
         {}, 1, {QStringLiteral("Kaydın adını yazınız.")}},
        {"ends before it starts, then cancelled", NewEntry::Holiday,
         {typed(QStringLiteral("Kar tatili"), {}, -1), expectSummaryThenType(QStringLiteral("Kar tatili"), {})},
         {}, 0, {QStringLiteral("Kayıt eklenemedi: Bitiş, başlangıçtan önce."), QStringLiteral("Kaydın adını yazınız.")}},
        {"a day type without its file, declined, then cancelled", NewEntry::DayType,
         {typed(QStringLiteral("Sınavlar"), QStringLiteral("Yok"))}, {false}, 0, {}},
        {"a day type without its file, accepted", NewEntry::DayType,
         {typed(QStringLiteral("Sınavlar"), QStringLiteral("Yok"))}, {true}, 1, {}},
        {"a day type that exists", NewEntry::DayType,
         {typed(QStringLiteral("Sınavlar"), QStringLiteral("sınav günü"))}, {}, 1, {}},
        {"cancelled at once", NewEntry::Ceremony, {}, {}, 0, {}},
    };
    for (const auto& c : cases) {
        ControllerRig rig(QDateTime(Day, QTime(8, 0)));
        rig.writeFile(QStringLiteral("saatler/ozel/Sınav günü.txt"), "\"10:00\"\r\n");
        ASSERT_TRUE(rig.load());
        rig.dialogs.entryAnswers.assign(c.dialogs.begin(), c.dialogs.end());
        rig.dialogs.answers = c.yesNo;
        CalendarActions actions(*rig.controller, rig.dialogs);

        const QString uid = actions.addEntry(c.kind, Day);
        const QList<CalendarEntry> entries = rig.controller->calendarCommands.schoolEntries();
        EXPECT_EQ(entries.size(), c.saved) << c.what;
        EXPECT_EQ(uid.isEmpty(), c.saved == 0) << c.what;
        QStringList told;
        for (const auto& [text, title] : rig.dialogs.told)
            told << text;
        EXPECT_EQ(told, c.told) << c.what;
        EXPECT_TRUE(rig.dialogs.answers.empty() && rig.dialogs.entryAnswers.empty()) << c.what;
        EXPECT_EQ(rig.dialogs.unexpected, 0) << c.what;
    }
}

TEST(CalendarActions, UnreadableCalendarIsReplacedOnlyWhenTheOperatorSaysSoAndEntriesRoundTripThroughFiles)
{
    ControllerRig rig(QDateTime(Day, QTime(8, 0)));
    rig.writeFile(QStringLiteral("takvim.ics"), "garbage");
    ASSERT_TRUE(rig.load());
    CalendarActions actions(*rig.controller, rig.dialogs);
    CalendarCommands& calendar = rig.controller->calendarCommands;

    // Declined: nothing is written, the broken file stays as it is.
    rig.dialogs.entryAnswers = {typed(QStringLiteral("Kar tatili"))};
    rig.dialogs.answers = {false};
    EXPECT_TRUE(actions.addEntry(NewEntry::Holiday, Day).isEmpty());
    EXPECT_EQ(rig.readFile(QStringLiteral("takvim.ics")), "garbage");
    EXPECT_TRUE(rig.readFile(QStringLiteral("takvim.ics.bozuk")).isEmpty());

    // Accepted: the broken file is kept beside the new one.
    rig.dialogs.entryAnswers = {typed(QStringLiteral("Kar tatili"), {}, 2)};
    rig.dialogs.answers = {true};
    const QString uid = actions.addEntry(NewEntry::Holiday, Day);
    ASSERT_FALSE(uid.isEmpty());
    EXPECT_EQ(rig.readFile(QStringLiteral("takvim.ics.bozuk")), "garbage");
    EXPECT_FALSE(calendar.decide(Day.addDays(1)).bells);

    // Out to a file and back in: the same entry comes back as a change, not as a second one.
    const QString exported = rig.dir.filePath(QStringLiteral("disari.ics"));
    rig.dialogs.files = {exported, exported};
    actions.exportFile(false);
    rig.dialogs.entryAnswers = {typed(QStringLiteral("Kar tatili (uzatıldı)"), {}, 3)};
    EXPECT_EQ(actions.editEntry(uid), uid);
    EXPECT_FALSE(calendar.decide(Day.addDays(2)).bells);
    EXPECT_TRUE(actions.importFile());
    ASSERT_EQ(calendar.schoolEntries().size(), 1);
    EXPECT_EQ(calendar.schoolEntries().first().summary, QStringLiteral("Kar tatili"));
    EXPECT_TRUE(calendar.decide(Day.addDays(2)).bells);
    EXPECT_EQ(rig.dialogs.told.back().first, QStringLiteral("Takvime 0 kayıt eklendi, 1 kayıt değiştirildi."));

    rig.dialogs.answers = {true};
    EXPECT_TRUE(actions.removeEntry(uid));
    EXPECT_TRUE(calendar.schoolEntries().isEmpty());
    EXPECT_TRUE(calendar.decide(Day).bells);
    EXPECT_EQ(rig.dialogs.unexpected, 0);
}
