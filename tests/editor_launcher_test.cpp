#include "editor/EditorLauncher.h"
#include "editor/Form2.h"
#include "support/EditorRig.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QListWidget>

#include <gtest/gtest.h>

namespace {
void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
} // namespace

TEST(EditorLauncher, OpenShowsANonModalEditorOnMonday)
{
    EditorRig rig;
    EditorLauncher launcher(rig.folder, rig.dialogs);
    launcher.open();
    Form2* form = launcher.editor();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->isWindow());
    EXPECT_FALSE(form->isModal());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Saatler"));
    EXPECT_EQ(form->selectedDay(), QStringLiteral("Pazartesi"));
}

TEST(EditorLauncher, SecondOpenOnlyRaisesAndKeepsSelectionAndTyping)
{
    EditorRig rig;
    EditorLauncher launcher(rig.folder, rig.dialogs);
    launcher.open();
    Form2* form = launcher.editor();
    form->dayList()->setCurrentRow(1);
    form->field(0)->setText(QStringLiteral("06:06"));
    form->showMinimized();
    launcher.open();
    EXPECT_EQ(launcher.editor(), form);
    EXPECT_FALSE(form->isMinimized());
    EXPECT_EQ(form->selectedDay(), QStringLiteral("Salı"));
    EXPECT_EQ(form->field(0)->text(), QStringLiteral("06:06"));
}

TEST(EditorLauncher, ClosedEditorIsDiscardedAndTheNextStartsAgainOnMonday)
{
    EditorRig rig;
    EditorLauncher launcher(rig.folder, rig.dialogs);
    launcher.open();
    QPointer<Form2> first = launcher.editor();
    first->dayList()->setCurrentRow(3);
    first->field(0)->setText(QStringLiteral("06:06"));
    first->close();
    EXPECT_EQ(launcher.editor(), nullptr);
    runDeferredDeletes();
    EXPECT_TRUE(first.isNull());

    launcher.open();
    ASSERT_NE(launcher.editor(), nullptr);
    EXPECT_EQ(launcher.editor()->selectedDay(), QStringLiteral("Pazartesi"));
    EXPECT_EQ(toList(launcher.editor()->fields()), sampleTimes(0));
    EXPECT_EQ(rig.readDay("Perşembe"), dayFileBytes(sampleTimes(3))); // the typing was never saved
}

TEST(EditorLauncher, OpenRightAfterACloseMakesAFreshEditor)
{
    EditorRig rig;
    EditorLauncher launcher(rig.folder, rig.dialogs);
    launcher.open();
    Form2* first = launcher.editor();
    first->dayList()->setCurrentRow(2);
    launcher.closeEditor();
    launcher.open(); // before the closed one is deleted
    ASSERT_NE(launcher.editor(), nullptr);
    EXPECT_NE(launcher.editor(), first);
    EXPECT_EQ(launcher.editor()->selectedDay(), QStringLiteral("Pazartesi"));
    runDeferredDeletes();
    EXPECT_NE(launcher.editor(), nullptr);
}

TEST(EditorLauncher, CloseEditorClosesItWithoutSaving)
{
    EditorRig rig;
    EditorLauncher launcher(rig.folder, rig.dialogs);
    launcher.open();
    QPointer<Form2> form = launcher.editor();
    form->field(0)->setText(QStringLiteral("06:06"));
    launcher.closeEditor();
    EXPECT_EQ(launcher.editor(), nullptr);
    runDeferredDeletes();
    EXPECT_TRUE(form.isNull());
    EXPECT_EQ(rig.readDay("Pazartesi"), dayFileBytes(sampleTimes(0)));
    EXPECT_TRUE(rig.dialogs.asked.isEmpty());
}
