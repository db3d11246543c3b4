#include "editor/Form2.h"
#include "engine/Texts.h"
#include "support/EditorRig.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {
const QString Monday = QStringLiteral("Pazartesi");
const QString Tuesday = QStringLiteral("Salı");
} // namespace

TEST(Form2, OpensOnMondayWithItsTimes)
{
    EditorRig rig;
    auto form = rig.openEditor();
    EXPECT_EQ(form->selectedDay(), Monday);
    EXPECT_EQ(toList(form->fields()), sampleTimes(0));
    EXPECT_EQ(form->dayList()->count(), 7);
    EXPECT_EQ(form->dayList()->item(6)->text(), QStringLiteral("Pazar"));
}

TEST(Form2, SelectingADayShowsItsTimes)
{
    EditorRig rig;
    auto form = rig.openEditor();
    form->dayList()->setCurrentRow(1);
    EXPECT_EQ(form->selectedDay(), Tuesday);
    EXPECT_EQ(toList(form->fields()), sampleTimes(1));
}

TEST(Form2, ArrowKeysSelectAndLoadTheNextDay)
{
    EditorRig rig;
    auto form = rig.openEditor();
    pressKey(form->dayList(), Qt::Key_Down);
    pressKey(form->dayList(), Qt::Key_Down);
    EXPECT_EQ(form->selectedDay(), QStringLiteral("Çarşamba"));
    EXPECT_EQ(toList(form->fields()), sampleTimes(2));
}

TEST(Form2, SwitchingDaysDiscardsTypingAndShowsTheStoredValue)
{
    EditorRig rig;
    auto form = rig.openEditor();
    form->field(0)->setText(QString());
    typeInto(form->field(0), QStringLiteral("06:06"));
    EXPECT_EQ(form->field(0)->text(), QStringLiteral("06:06"));
    form->dayList()->setCurrentRow(1);
    form->dayList()->setCurrentRow(0);
    EXPECT_EQ(form->field(0)->text(), QStringLiteral("08:00"));
}

TEST(Form2, ShortFileLeavesTheFieldsItDoesNotReach)
{
    EditorRig rig;
    rig.writeDay(Tuesday, clearedFileBytes());
    auto form = rig.openEditor();
    form->dayList()->setCurrentRow(1);
    QStringList expected = sampleTimes(0); // Monday's, where the file has no line
    for (int slot = 0; slot < Slots::ClearedLines; ++slot)
        expected[slot] = QStringLiteral("XX:XX");
    EXPECT_EQ(toList(form->fields()), expected);
}

TEST(Form2, FieldsStartAsEmptySlotsWhereNoFileReaches)
{
    EditorRig rig;
    QFile::remove(rig.dayPath(Monday));
    auto form = rig.openEditor();
    EXPECT_EQ(toList(form->fields()), QStringList(Slots::Count, QStringLiteral("XX:XX")));
}

TEST(Form2, SaveWritesAllFiftyThreeFieldsIncludingThoseAShortFileLeft)
{
    EditorRig rig;
    rig.writeDay(Tuesday, clearedFileBytes());
    auto form = rig.openEditor();
    form->dayList()->setCurrentRow(1);
    form->field(0)->setText(QStringLiteral("07:30"));
    form->command(1)->click();
    QStringList expected = sampleTimes(0);
    for (int slot = 0; slot < Slots::ClearedLines; ++slot)
        expected[slot] = QStringLiteral("XX:XX");
    expected[0] = QStringLiteral("07:30");
    EXPECT_EQ(rig.readDay(Tuesday), dayFileBytes(expected));
    EXPECT_EQ(rig.readDay(Monday), dayFileBytes(sampleTimes(0)));
    EXPECT_TRUE(rig.dialogs.told.empty());
    EXPECT_TRUE(rig.dialogs.asked.isEmpty());
}

TEST(Form2, SaveCreatesAMissingTimetableFolder)
{
    EditorRig rig;
    QDir(rig.dir.path() + "/saatler").removeRecursively();
    auto form = rig.openEditor();
    form->command(1)->click();
    EXPECT_EQ(rig.readDay(Monday), dayFileBytes(QStringList(Slots::Count, QStringLiteral("XX:XX"))));
}

struct LengthCase
{
    const char* name;
    int slot;
    QString kept; // what "08:401" leaves in the field
};

void PrintTo(const LengthCase& c, std::ostream* os)
{
    *os << c.name;
}

class FieldLength : public ::testing::TestWithParam<LengthCase>
{
};

TEST_P(FieldLength, SixthCharacterIsRefusedOnlyUpToLessonFourteen)
{
    EditorRig rig;
    auto form = rig.openEditor();
    QLineEdit* field = form->field(GetParam().slot);
    field->setText(QString());
    typeInto(field, QStringLiteral("08:401"));
    EXPECT_EQ(field->text(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Form2, FieldLength,
    ::testing::Values(LengthCase{"Lesson1Student", Slots::lessonSlot(1, Slots::Column::Student), "08:40"},
                      LengthCase{"Lesson14Exit", Slots::lessonSlot(14, Slots::Column::Exit), "08:40"},
                      LengthCase{"Assembly1", Slots::Assembly1, "08:40"},
                      LengthCase{"Assembly2", Slots::Assembly2, "08:40"},
                      LengthCase{"Lesson15Student", Slots::lessonSlot(15, Slots::Column::Student), "08:401"},
                      LengthCase{"Lesson17Exit", Slots::lessonSlot(17, Slots::Column::Exit), "08:401"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Form2, LongValueInALateLessonIsSavedWhole)
{
    EditorRig rig;
    auto form = rig.openEditor();
    form->field(Slots::lessonSlot(16, Slots::Column::Teacher))->setText(QStringLiteral("16:10 ek"));
    form->command(1)->click();
    QStringList expected = sampleTimes(0);
    expected[Slots::lessonSlot(16, Slots::Column::Teacher)] = QStringLiteral("16:10 ek");
    EXPECT_EQ(rig.readDay(Monday), dayFileBytes(expected));
}

TEST(Form2, TabOrderRunsListAssemblyLessonsButtonsThenLateLessons)
{
    EditorRig rig;
    auto form = rig.openEditor();
    QStringList expected{"List1", "Text43", "Text44"};
    for (int n = 1; n <= 42; ++n)
        expected << QStringLiteral("Text%1").arg(n);
    for (int n : {1, 4, 2, 3, 5, 6, 7, 8})
        expected << QStringLiteral("Command%1").arg(n);
    for (int n = 45; n <= 53; ++n)
        expected << QStringLiteral("Text%1").arg(n);

    // The chain Tab follows, keeping the widgets that take focus by Tab.
    QStringList order;
    QWidget* w = form->dayList();
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != form->dayList() && order.size() <= expected.size());
    EXPECT_EQ(order, expected);
}

TEST(Form2, SaveWithoutASelectedDayTellsToChooseOne)
{
    EditorRig rig;
    auto form = rig.openEditor();
    const auto before = rig.allDays();
    form->dayList()->clearSelection();
    form->field(0)->setText(QStringLiteral("07:07"));
    form->command(1)->click();
    ASSERT_EQ(rig.dialogs.told.size(), 1u);
    EXPECT_EQ(rig.dialogs.told[0].first, QStringLiteral("Gün seçiniz"));
    EXPECT_EQ(rig.dialogs.told[0].second, Texts::AppTitle);
    EXPECT_EQ(rig.allDays(), before);
    EXPECT_EQ(form->field(0)->text(), QStringLiteral("07:07"));
}

TEST(Form2, FailedSaveIsToldAndLeavesTheFieldsForAnotherTry)
{
    EditorRig rig;
    auto form = rig.openEditor();
    form->dayList()->setCurrentRow(1);
    rig.blockDay(Tuesday);
    form->field(0)->setText(QStringLiteral("07:07"));
    form->command(1)->click();
    ASSERT_EQ(rig.dialogs.told.size(), 1u);
    EXPECT_EQ(rig.dialogs.told[0].first,
              QStringLiteral("Şu günün saatleri kaydedilemedi: Salı. "
                             "Program klasörü yazmaya kapalı ya da disk dolu olabilir."));
    EXPECT_EQ(rig.dialogs.told[0].second, Texts::AppTitle);
    EXPECT_EQ(form->field(0)->text(), QStringLiteral("07:07"));
    EXPECT_EQ(form->selectedDay(), Tuesday);
}

TEST(Form2, SaveIntoAFolderThatIsAFileIsToldAndWritesNothing)
{
    EditorRig rig;
    auto form = rig.openEditor();
    QDir(rig.dir.path() + "/saatler").removeRecursively();
    QFile blocker(rig.dir.path() + "/saatler");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("not a folder");
    blocker.close();
    form->command(1)->click();
    ASSERT_EQ(rig.dialogs.told.size(), 1u);
    EXPECT_TRUE(
        rig.dialogs.told[0].first.startsWith(QStringLiteral("Şu günün saatleri kaydedilemedi: Pazartesi.")));
    ASSERT_TRUE(blocker.open(QIODevice::ReadOnly));
    EXPECT_EQ(blocker.readAll(), QByteArray("not a folder"));
}

TEST(Form2, TheSelectedDayCannotBePutDown)
{
    enum class Gesture { CtrlClickSelected, CtrlSpace, ClickBelowTheDays, CtrlClickAnother };
    const std::pair<Gesture, QString> cases[] = {
        {Gesture::CtrlClickSelected, Tuesday},
        {Gesture::CtrlSpace, Tuesday},
        {Gesture::ClickBelowTheDays, Tuesday},
        {Gesture::CtrlClickAnother, QStringLiteral("Cuma")},
    };
    for (const auto& [gesture, expected] : cases) {
        EditorRig rig;
        auto form = rig.openEditor();
        form->show();
        QListWidget* list = form->dayList();
        list->setCurrentRow(1);
        form->field(0)->setText(QStringLiteral("06:06")); // unsaved typing a reload would lose
        QWidget* viewport = list->viewport();
        auto click = [&](QPoint at, Qt::KeyboardModifiers modifiers) {
            QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::LeftButton,
                              Qt::LeftButton, modifiers);
            QCoreApplication::sendEvent(viewport, &press);
            QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at), Qt::LeftButton,
                                Qt::NoButton, modifiers);
            QCoreApplication::sendEvent(viewport, &release);
        };
        switch (gesture) {
        case Gesture::CtrlClickSelected:
            click(list->visualItemRect(list->item(1)).center(), Qt::ControlModifier);
            break;
        case Gesture::CtrlSpace: {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_Space, Qt::ControlModifier, QStringLiteral(" "));
            QCoreApplication::sendEvent(list, &key);
            break;
        }
        case Gesture::ClickBelowTheDays:
            list->item(6)->setSizeHint(QSize(0, 4)); // leaves room below the last day
            list->doItemsLayout();
            click(QPoint(4, viewport->height() - 2), Qt::NoModifier);
            break;
        case Gesture::CtrlClickAnother:
            click(list->visualItemRect(list->item(4)).center(), Qt::ControlModifier);
            break;
        }
        EXPECT_EQ(form->selectedDay(), expected) << int(gesture);
        if (expected == Tuesday) {
            EXPECT_EQ(form->field(0)->text(), QStringLiteral("06:06")) << int(gesture);
        }
    }
}
