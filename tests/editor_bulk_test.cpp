#include "editor/Form2.h"
#include "engine/Texts.h"
#include "support/EditorRig.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QListWidget>

#include <gtest/gtest.h>

namespace {
const QStringList Weekdays{"Pazartesi", "Salı", "Çarşamba", "Perşembe", "Cuma"};
const QStringList Weekend{"Cumartesi", "Pazar"};
const QStringList AllDays = Weekdays + Weekend;
const QString Typed = QStringLiteral("06:06");

struct BulkCase
{
    const char* name;
    int command;
    QString question;
    int selectedRow;
    QStringList written; // days that get the displayed times
    QStringList cleared; // days that get the 45-line cleared shape
};

void PrintTo(const BulkCase& c, std::ostream* os)
{
    *os << c.name;
}

const BulkCase Cases[] = {
    {"AssignWeekdaysFromSaturday",
     2,
     "Ekranda gördüğünüz saatleri hafta içi hergüne atamak istediğinizden emin misiniz ?",
     5,
     Weekdays,
     {}},
    {"AssignWeekendFromMonday",
     3,
     "Ekranda görünen saatleri tüm hafta sonuna atamak istediğinizden emin misiniz ?",
     0,
     Weekend,
     {}},
    {"AssignAllDaysFromTuesday",
     4,
     "Ekranda görünen saatleri, bütün günlere atamak istediğinizden emin misiniz ?",
     1,
     AllDays,
     {}},
    {"ClearSelectedWednesday",
     5,
     "Seçili güne ait saatleri, silmek istediğinizden emin misiniz ?",
     2,
     {},
     {"Çarşamba"}},
    {"ClearAllDays", 6, "Bütün günlerin saatlerini silmek istediğinizden emin misiniz ?", 0, {}, AllDays},
    {"ClearWeekdaysFromSunday",
     7,
     "Hafta içine ait tüm saatleri silmek istediğinizden emin misiniz ?",
     6,
     {},
     Weekdays},
    {"ClearWeekendFromMonday",
     8,
     "Hafta sonuna ait saatleri silmek istediğinizden emin misiniz ?",
     0,
     {},
     Weekend},
};

// The editor with a day selected and unsaved typing in the first field.
std::unique_ptr<Form2> openWithTyping(EditorRig& rig, int row)
{
    auto form = rig.openEditor();
    form->dayList()->setCurrentRow(row);
    form->field(0)->setText(Typed);
    return form;
}

QStringList displayed(int row)
{
    QStringList times = sampleTimes(row);
    times[0] = Typed;
    return times;
}

QStringList clearedOver(QStringList times)
{
    for (int slot = 0; slot < Slots::ClearedLines; ++slot)
        times[slot] = QStringLiteral("XX:XX");
    return times;
}

class Bulk : public ::testing::TestWithParam<BulkCase>
{
};
} // namespace

TEST_P(Bulk, YesWritesTheGroupInItsShapeAndLeavesOtherDays)
{
    const BulkCase& c = GetParam();
    EditorRig rig;
    auto form = openWithTyping(rig, c.selectedRow);
    rig.dialogs.answers = {true};
    form->command(c.command)->click();

    EXPECT_EQ(rig.dialogs.asked, QStringList{c.question});
    EXPECT_TRUE(rig.dialogs.told.empty());
    for (int d = 0; d < DayTable::Count; ++d) {
        const QString day = DayTable::names()[d];
        QByteArray expected = dayFileBytes(sampleTimes(d));
        if (c.written.contains(day))
            expected = dayFileBytes(displayed(c.selectedRow));
        if (c.cleared.contains(day))
            expected = clearedFileBytes();
        EXPECT_EQ(rig.readDay(day), expected) << day.toStdString();
    }
}

TEST_P(Bulk, YesKeepsTheSelectionAndShowsWhatTheOperationLeaves)
{
    const BulkCase& c = GetParam();
    EditorRig rig;
    auto form = openWithTyping(rig, c.selectedRow);
    const QString selected = form->selectedDay();
    rig.dialogs.answers = {true};
    form->command(c.command)->click();

    EXPECT_EQ(form->selectedDay(), selected);
    QStringList expected = displayed(c.selectedRow); // an assign leaves the fields alone
    if (c.cleared.contains(selected))
        expected = clearedOver(displayed(c.selectedRow)); // lessons 16, 17 and assembly are kept
    else if (!c.cleared.isEmpty())
        expected = sampleTimes(c.selectedRow); // reloaded: the typing is gone
    EXPECT_EQ(toList(form->fields()), expected);
}

TEST_P(Bulk, NoLeavesEveryFileByteForByteAndTheFieldsAsTheyWere)
{
    const BulkCase& c = GetParam();
    EditorRig rig;
    auto form = openWithTyping(rig, c.selectedRow);
    const auto before = rig.allDays();
    rig.dialogs.answers = {false};
    form->command(c.command)->click();

    EXPECT_EQ(rig.dialogs.asked, QStringList{c.question});
    EXPECT_EQ(rig.allDays(), before);
    EXPECT_EQ(toList(form->fields()), displayed(c.selectedRow));
    EXPECT_TRUE(rig.dialogs.told.empty());
}

INSTANTIATE_TEST_SUITE_P(Form2, Bulk, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Form2Bulk, ClearedDayKeepsLateLessonsOnScreenAndASaveWritesThem)
{
    EditorRig rig;
    auto form = rig.openEditor();
    rig.dialogs.answers = {true};
    form->command(5)->click();
    form->command(1)->click();
    EXPECT_EQ(rig.readDay("Pazartesi"), dayFileBytes(clearedOver(sampleTimes(0))));
}

TEST(Form2Bulk, ClearAllThenAssignAllGivesEveryDayTheSameFile)
{
    EditorRig rig;
    auto form = rig.openEditor();
    rig.dialogs.answers = {true, true};
    form->command(6)->click();
    form->command(4)->click();
    for (const QString& day : AllDays)
        EXPECT_EQ(rig.readDay(day), dayFileBytes(clearedOver(sampleTimes(0)))) << day.toStdString();
}

TEST(Form2Bulk, ClearingTheSelectedDaysNeedsASelection)
{
    for (int command : {5, 6}) {
        EditorRig rig;
        auto form = rig.openEditor();
        form->dayList()->clearSelection();
        const auto before = rig.allDays();
        rig.dialogs.answers = {true};
        form->command(command)->click();
        ASSERT_EQ(rig.dialogs.told.size(), 1u) << command;
        EXPECT_EQ(rig.dialogs.told[0], std::make_pair(QStringLiteral("Gün seçiniz"), Texts::AppTitle));
        EXPECT_EQ(rig.allDays(), before) << command;
    }
}

TEST(Form2Bulk, ClearingAGroupNeedsNoSelection)
{
    EditorRig rig;
    auto form = rig.openEditor();
    form->dayList()->clearSelection();
    rig.dialogs.answers = {true};
    form->command(7)->click();
    EXPECT_TRUE(rig.dialogs.told.empty());
    for (const QString& day : Weekdays)
        EXPECT_EQ(rig.readDay(day), clearedFileBytes()) << day.toStdString();
    EXPECT_EQ(toList(form->fields()), sampleTimes(0));
}

TEST(Form2Bulk, DaysThatCannotBeWrittenAreNamedOnceAndTheOthersAreWritten)
{
    EditorRig rig;
    auto form = openWithTyping(rig, 0);
    rig.blockDay("Salı");
    rig.blockDay("Çarşamba");
    rig.dialogs.answers = {true};
    form->command(4)->click();
    ASSERT_EQ(rig.dialogs.told.size(), 1u);
    EXPECT_EQ(rig.dialogs.told[0].first,
              QStringLiteral("Şu günlerin saatleri kaydedilemedi: Salı, Çarşamba. "
                             "Program klasörü yazmaya kapalı ya da disk dolu olabilir."));
    EXPECT_EQ(rig.dialogs.told[0].second, Texts::AppTitle);
    for (const char* day : {"Pazartesi", "Perşembe", "Cuma", "Cumartesi", "Pazar"})
        EXPECT_EQ(rig.readDay(day), dayFileBytes(displayed(0))) << day;
    EXPECT_EQ(toList(form->fields()), displayed(0));
}

TEST(Form2Bulk, DayThatCannotBeClearedIsNamedAndTheSelectedDayIsStillReloaded)
{
    EditorRig rig;
    auto form = openWithTyping(rig, 0);
    rig.blockDay("Perşembe");
    rig.dialogs.answers = {true};
    form->command(7)->click();
    ASSERT_EQ(rig.dialogs.told.size(), 1u);
    EXPECT_EQ(rig.dialogs.told[0].first,
              QStringLiteral("Şu günün saatleri silinemedi: Perşembe. "
                             "Program klasörü yazmaya kapalı ya da disk dolu olabilir."));
    for (const char* day : {"Pazartesi", "Salı", "Çarşamba", "Cuma"})
        EXPECT_EQ(rig.readDay(day), clearedFileBytes()) << day;
    EXPECT_EQ(toList(form->fields()), clearedOver(displayed(0)));
}
