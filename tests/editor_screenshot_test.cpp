#include "editor/Form2.h"
#include "support/EditorRig.h"

#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>

#include <gtest/gtest.h>

// Renders the editor for the documentation when VEZOZIL_SCREENSHOT_DIR names a folder; with
// VEZOZIL_SOURCE_DIR set it shows the shipped timetable. From the source tree:
//   VEZOZIL_SOURCE_DIR=$PWD VEZOZIL_SCREENSHOT_DIR=docs QT_QPA_PLATFORM=xcb xvfb-run -a build/editor_screenshot_test
TEST(Form2Screenshot, SavesThePictureOfTheEditor)
{
    const QString target = qEnvironmentVariable("VEZOZIL_SCREENSHOT_DIR");
    if (target.isEmpty())
        GTEST_SKIP() << "VEZOZIL_SCREENSHOT_DIR is not set";
    EditorRig rig;
    // The shipped timetable, so the picture shows a real school day.
    const QString shipped = qEnvironmentVariable("VEZOZIL_SOURCE_DIR") + "/data";
    const ProgramFolder folder = QDir(shipped + "/saatler").exists() ? ProgramFolder(shipped) : rig.folder;
    Form2 form(folder, rig.dialogs);
    form.show();
    QApplication::processEvents();
    const auto* frame = form.findChild<QGroupBox*>("Frame4");
    std::cout << "frame font: " << QFontInfo(frame->font()).family().toStdString()
              << ", controls: " << QFontInfo(form.font()).family().toStdString() << std::endl;
    ASSERT_TRUE(QDir().mkpath(target));
    EXPECT_TRUE(form.grab().save(target + "/editor.png"));
}
