#include "support/EditorRig.h"
#include "support/GuiRig.h"
#include "support/ModalDialogs.h"
#include "support/TestSupport.h"

#include "app/QtDialogs.h"
#include "editor/EditorLauncher.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QListWidget>
#include <QMessageBox>

namespace {
// Whether the application has a display name of its own; unset, it reads as the application's name.
bool displayNameSet()
{
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(name + QStringLiteral("-probe"));
    const bool set = QGuiApplication::applicationDisplayName() != QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(name);
    return set;
}

// The title as the window manager receives it: Qt adds " — " and the display name, when one is
// set, to every title that does not already end with it.
QString receivedTitle(const QWidget* window)
{
    const QString title = window->windowTitle();
    const QString name = QGuiApplication::applicationDisplayName();
    if (!displayNameSet() || title.endsWith(name))
        return title;
    return title.isEmpty() ? name : title + QStringLiteral(" \u2014 ") + name;
}

struct BoxSeen
{
    QString title;
    QWidget* owner = nullptr;
    QRect geometry;
    int titleRoom = 0; // the box's width less its title's
};

// Records the next message box and answers it with its last button (No, or OK).
void recordNextBox(BoxSeen& seen)
{
    whenOpen<QMessageBox>([&seen](QMessageBox* box) {
        seen.title = receivedTitle(box);
        seen.owner = box->parentWidget() ? box->parentWidget()->window() : nullptr;
        seen.geometry = box->frameGeometry();
        QFont bold = box->font();
        bold.setBold(true);
        seen.titleRoom = box->width() - QFontMetrics(bold).horizontalAdvance(box->windowTitle());
        box->buttons().last()->click();
    });
}

// Both windows as the program opens them, with the main window's dialogs.
struct BothWindows
{
    BothWindows()
    {
        gui.start();
        dialogs.setParentWindow(&gui.window);
        launcher.open();
        editor = launcher.editor();
    }

    GuiRig gui;
    EditorRig rig;
    QtDialogs dialogs;
    EditorLauncher launcher{rig.folder, dialogs};
    Form2* editor = nullptr;
};

const QString Warning = QStringLiteral("Vezo Zil UYARI !");
const QString Program = QStringLiteral("Vezo Zil");
} // namespace

TEST(Titles, EveryWindowAndBoxCarriesItsTitleAndNothingMore)
{
    BothWindows both;
    QtDialogs& dialogs = both.dialogs;
    Form2* editor = both.editor;
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(receivedTitle(&both.gui.window), QStringLiteral("Vezox2 Zil Programı"));
    EXPECT_EQ(receivedTitle(editor), QStringLiteral("Saatler"));

    const struct
    {
        const char* what;
        std::function<void()> open;
        QString title;
    } boxes[] = {
        {"question",
         [&] { dialogs.askYesNo(QStringLiteral("Amfiyi sürekli olarak açmak istiyor musunuz?")); }, Warning},
        {"second copy", [&] { dialogs.tell(QStringLiteral("Zil programı zaten çalışıyor !"), QString()); },
         Program},
        {"save failed", [&] { dialogs.tell(QStringLiteral("kaydedilemedi"), Warning); }, Warning},
        {"editor's question", [&] { editor->command(7)->click(); }, Warning},
        {"no day selected",
         [&] {
             editor->dayList()->clearSelection();
             editor->command(1)->click();
         },
         Program},
    };
    for (const auto& box : boxes) {
        BoxSeen seen;
        recordNextBox(seen);
        box.open();
        EXPECT_EQ(seen.title, box.title) << box.what;
        // Room beside the title for the title bar's buttons, so the title is never cut to "…".
        EXPECT_GE(seen.titleRoom, 100) << box.what;
    }
}

TEST(Titles, EditorsBoxesStandOverTheEditorWhichStaysInFront)
{
    BothWindows both;
    both.gui.window.move(0, 0);
    Form2* editor = both.editor;
    editor->move(300, 0); // clear of the main window's centre; its boxes stay inside the test screen
    QCoreApplication::processEvents();

    for (int command = 2; command <= 8; ++command) {
        BoxSeen seen;
        recordNextBox(seen);
        editor->command(command)->click();
        QCoreApplication::processEvents();
        EXPECT_EQ(seen.owner, editor) << command;
        EXPECT_LE((seen.geometry.center() - editor->frameGeometry().center()).manhattanLength(), 4)
            << command;
        EXPECT_EQ(QApplication::activeWindow(), editor) << command;
    }

    // The main window's own boxes stay its own.
    BoxSeen seen;
    recordNextBox(seen);
    both.dialogs.askYesNo(QStringLiteral("Ses yayınını kapatmak istiyormusunuz?"));
    EXPECT_EQ(seen.owner, &both.gui.window);
}
