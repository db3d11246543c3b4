// The schedule editor's save and bulk buttons when the disk is full, a write stops half-way or the
// timetable folder is not a folder: every day file keeps its old bytes, nothing half-written is left
// in the folder, and one message names the days that were not saved.
#include "editor/BulkOperations.h"
#include "engine/Texts.h"
#include "schedule/TextFile.h"
#include "support/EditorRig.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QListWidget>

#include <gtest/gtest.h>

namespace {

const QString Typed = QStringLiteral("06:06");

QStringList saatlerEntries(const EditorRig& rig)
{
    return QDir(rig.dir.path() + QStringLiteral("/saatler"))
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

// The editor on Tuesday with unsaved typing in the first field.
std::unique_ptr<Form2> editTuesday(EditorRig& rig)
{
    auto form = rig.openEditor();
    form->dayList()->setCurrentRow(1);
    form->field(0)->setText(Typed);
    return form;
}

class BulkOnFullDisk : public testing::TestWithParam<int>
{
};

TEST_P(BulkOnFullDisk, KeepsEveryDayFileAndNamesTheDaysOnce)
{
    const BulkOperations::Operation& operation = BulkOperations::byCommand(GetParam());
    EditorRig rig;
    auto form = editTuesday(rig);
    const auto before = rig.allDays();
    const QStringList entries = saatlerEntries(rig);
    const QStringList days = BulkOperations::daysOf(operation.group, form->selectedDay());
    ASSERT_FALSE(days.isEmpty());
    rig.dialogs.answers = {true};
    {
        FullDisk full;
        ASSERT_TRUE(full.active());
        form->command(GetParam())->click();
    }
    EXPECT_EQ(rig.allDays(), before);
    EXPECT_EQ(saatlerEntries(rig), entries);
    ASSERT_EQ(rig.dialogs.told.size(), 1u);
    EXPECT_EQ(rig.dialogs.told[0].first, BulkOperations::failureMessage(operation.action, days));
    EXPECT_EQ(rig.dialogs.told[0].second, Texts::AppTitle);
    // A clear shows what the file now holds, which is still the old day; an assign keeps the typing.
    const QString shown = form->field(0)->text();
    if (operation.action == BulkOperations::Action::Clear)
        EXPECT_EQ(shown, sampleTimes(1).first());
    else
        EXPECT_EQ(shown, Typed);
}

INSTANTIATE_TEST_SUITE_P(Editor, BulkOnFullDisk, testing::Range(2, 9),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Command" + std::to_string(info.param);
                         });

TEST(EditorSaveFault, SaveOnAFullDiskKeepsTheDayAndTheTyping)
{
    EditorRig rig;
    auto form = editTuesday(rig);
    const auto before = rig.allDays();
    {
        FullDisk full;
        ASSERT_TRUE(full.active());
        form->command(1)->click();
    }
    EXPECT_EQ(rig.allDays(), before);
    ASSERT_EQ(rig.dialogs.told.size(), 1u);
    EXPECT_EQ(rig.dialogs.told[0].first,
              QStringLiteral("Şu günün saatleri kaydedilemedi: Salı. "
                             "Program klasörü yazmaya kapalı ya da disk dolu olabilir."));
    EXPECT_EQ(form->field(0)->text(), Typed);

    form->command(1)->click(); // room again: the same typing is saved at the next try
    EXPECT_EQ(rig.dialogs.told.size(), 1u);
    QStringList expected = sampleTimes(1);
    expected[0] = Typed;
    EXPECT_EQ(rig.readDay(QStringLiteral("Salı")), dayFileBytes(expected));
}

TEST(EditorSaveFault, WriteThatStopsHalfWayLeavesThatDayWholeAndTheOthersWritten)
{
    EditorRig rig;
    auto form = editTuesday(rig);
    const auto before = rig.allDays();
    const QStringList entries = saatlerEntries(rig);
    rig.dialogs.answers = {true};
    TextFile::interruptNextWrite(); // the first day in table order: Pazartesi
    form->command(4)->click();      // "Bütün günlere aynı saatleri ata"

    QStringList shown = sampleTimes(1);
    shown[0] = Typed;
    EXPECT_EQ(rig.readDay(QStringLiteral("Pazartesi")), before.value(QStringLiteral("Pazartesi")));
    for (const QString& day : DayTable::names().mid(1))
        EXPECT_EQ(rig.readDay(day), dayFileBytes(shown)) << day.toStdString();
    EXPECT_EQ(saatlerEntries(rig), entries);
    ASSERT_EQ(rig.dialogs.told.size(), 1u);
    EXPECT_EQ(rig.dialogs.told[0].first,
              QStringLiteral("Şu günün saatleri kaydedilemedi: Pazartesi. "
                             "Program klasörü yazmaya kapalı ya da disk dolu olabilir."));
}

TEST(EditorSaveFault, TimetableFolderThatIsAFileFailsEveryBulkWriteAndStaysAsItWas)
{
    EditorRig rig;
    auto form = editTuesday(rig);
    QDir(rig.dir.path() + QStringLiteral("/saatler")).removeRecursively();
    QFile blocker(rig.dir.path() + QStringLiteral("/saatler"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("not a folder");
    blocker.close();

    for (int command : {4, 6}) {
        rig.dialogs.answers = {true};
        form->command(command)->click();
    }
    ASSERT_EQ(rig.dialogs.told.size(), 2u);
    const QString all = DayTable::names().join(QStringLiteral(", "));
    EXPECT_EQ(rig.dialogs.told[0].first,
              BulkOperations::failureMessage(BulkOperations::Action::Write, DayTable::names()));
    EXPECT_TRUE(rig.dialogs.told[1].first.contains(all));
    ASSERT_TRUE(blocker.open(QIODevice::ReadOnly));
    EXPECT_EQ(blocker.readAll(), QByteArray("not a folder"));
}

} // namespace
