#include "editor/EditorGeometry.h"
#include "editor/Form2.h"
#include "support/EditorRig.h"
#include "support/ScreenGrab.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontInfo>
#include <QGroupBox>
#include <QScreen>

#include <gtest/gtest.h>

// Renders the editor for the documentation into the file VEZOZIL_SCREENSHOT_EDITOR names; with
// VEZOZIL_SOURCE_DIR set it shows the shipped timetable. scripts/screenshots makes docs/ with it.
TEST(Form2Screenshot, SavesThePictureOfTheEditor)
{
    const QString target = qEnvironmentVariable("VEZOZIL_SCREENSHOT_EDITOR");
    if (target.isEmpty())
        GTEST_SKIP() << "VEZOZIL_SCREENSHOT_EDITOR is not set";
    EditorRig rig;
    // The shipped timetable, so the picture shows a real school day.
    const QString shipped = qEnvironmentVariable("VEZOZIL_SOURCE_DIR") + "/data";
    const ProgramFolder folder = QDir(shipped + "/saatler").exists() ? ProgramFolder(shipped) : rig.folder;
    // At the size the editor opens with on this screen.
    Form2 form(folder, rig.dialogs,
               EditorGeometry::zoomFor(QGuiApplication::primaryScreen()->availableGeometry().size()));
    form.show();
    QApplication::processEvents();
    const auto* frame = form.findChild<QGroupBox*>("Frame4");
    std::cout << "frame font: " << QFontInfo(frame->font()).family().toStdString()
              << ", controls: " << QFontInfo(form.font()).family().toStdString() << std::endl;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(target).absolutePath()));
    EXPECT_TRUE(saveScreenshot(form, target));
}
