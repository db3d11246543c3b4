#include "fakes/ControllerRig.h"
#include "support/TestSupport.h"

#include "app/MainWindow.h"
#include "app/TrayShell.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {
// The window and tray icon on a controller whose shell is the real one.
struct TrayRig
{
    TrayRig()
    {
        rig.controller = std::make_unique<Controller>(
            rig.model,
            Devices{rig.clock, rig.port, rig.wav, rig.music, rig.desktop, rig.dialogs, shell, rig.instance, rig.clockSync},
            ProgramFolder(rig.dir.path()));
        window = std::make_unique<MainWindow>(
            *rig.controller, rig.desktop, [] {}, 1.0);
        shell.attach(window.get(), rig.controller.get());
        EXPECT_TRUE(rig.load());
        window->show();
    }

    void activate(QSystemTrayIcon::ActivationReason reason) { Q_EMIT shell.icon()->activated(reason); }

    ControllerRig rig;
    TrayShell shell;
    std::unique_ptr<MainWindow> window;
};
} // namespace

TEST(TrayShell, ActivationsMapToTheMouseEventCodes)
{
    const std::pair<QSystemTrayIcon::ActivationReason, int> cases[] = {
        {QSystemTrayIcon::DoubleClick, 515}, {QSystemTrayIcon::Context, 517}, {QSystemTrayIcon::Trigger, 0},
        {QSystemTrayIcon::MiddleClick, 0},   {QSystemTrayIcon::Unknown, 0},
    };
    for (const auto& [reason, code] : cases)
        EXPECT_EQ(TrayShell::codeFor(reason), code) << reason;
}

TEST(TrayShell, ClosingTheLastWindowDoesNotEndTheProgram)
{
    TrayRig tray;
    EXPECT_FALSE(QGuiApplication::quitOnLastWindowClosed());
}

TEST(TrayShell, IconCarriesTheProgramsTipAndIcon)
{
    TrayShell shell;
    EXPECT_EQ(shell.icon()->toolTip(), QStringLiteral("Vezo Zil programı çalışıyor !"));
    EXPECT_FALSE(shell.icon()->icon().isNull());
    EXPECT_FALSE(shell.icon()->isVisible());
}

TEST(TrayShell, DoubleClickShowsTheHiddenWindow)
{
    TrayRig tray;
    tray.shell.hideWindow();
    ASSERT_TRUE(tray.window->isHidden());
    tray.activate(QSystemTrayIcon::DoubleClick);
    EXPECT_FALSE(tray.window->isHidden());
}

TEST(TrayShell, SingleClickDoesNothing)
{
    TrayRig tray;
    tray.shell.hideWindow();
    tray.activate(QSystemTrayIcon::Trigger);
    tray.activate(QSystemTrayIcon::MiddleClick);
    EXPECT_TRUE(tray.window->isHidden());
    EXPECT_FALSE(tray.window->trayMenu()->isVisible());
}

TEST(TrayShell, RightClickPopsUpTheWindowsMenu)
{
    TrayRig tray;
    tray.shell.hideWindow();
    tray.activate(QSystemTrayIcon::Context);
    QMenu* menu = tray.window->trayMenu();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(tray.window->isHidden());
    menu->hide();
}

TEST(TrayShell, IconWindowOpensTheMenuOnTheRightButtonsRelease)
{
    const struct
    {
        QEvent::Type type;
        Qt::MouseButton button;
        bool menuShown;
    } steps[] = {
        {QEvent::MouseButtonPress, Qt::RightButton, false},
        {QEvent::MouseButtonPress, Qt::LeftButton, false},
        {QEvent::MouseButtonRelease, Qt::LeftButton, false},
        {QEvent::MouseButtonRelease, Qt::RightButton, true},
    };
    TrayRig tray;
    tray.shell.hideWindow();
    QWidget iconWindow; // stands for the window Qt draws the icon in
    tray.shell.watchIconWindow(&iconWindow);
    QMenu* menu = tray.window->trayMenu();
    for (const auto& step : steps) {
        const QPointF at(4, 4);
        QMouseEvent event(step.type, at, at, step.button,
                          step.type == QEvent::MouseButtonPress ? step.button : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&iconWindow, &event);
        EXPECT_EQ(menu->isVisible(), step.menuShown) << step.type << ' ' << step.button;
    }
    menu->hide();
}

TEST(TrayShell, AddingTheIconAgainKeepsOneIconUntilTheEnd)
{
    TrayRig tray;
    tray.shell.addTrayIcon();
    tray.shell.showWindow();
    tray.shell.addTrayIcon();
    EXPECT_TRUE(tray.shell.icon()->isVisible());
    tray.shell.removeTrayIcon();
    EXPECT_FALSE(tray.shell.icon()->isVisible());
}

TEST(TrayShell, ToTheTrayHidesOrMinimizesButNeverLosesTheWindow)
{
    TrayRig tray;
    tray.window->findChild<QAbstractButton*>(QStringLiteral("Command2"))->click();
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        EXPECT_TRUE(tray.window->isHidden());
        EXPECT_TRUE(tray.shell.icon()->isVisible());
    } else {
        // Without a notification area a hidden window could not be brought back.
        EXPECT_FALSE(tray.window->isHidden());
        EXPECT_TRUE(tray.window->isMinimized());
    }
}

TEST(TrayShell, ShowingAMinimizedWindowRestoresIt)
{
    TrayRig tray;
    tray.shell.minimizeWindow();
    ASSERT_TRUE(tray.window->isMinimized());
    tray.shell.showWindow();
    EXPECT_FALSE(tray.window->isMinimized());
}

TEST(TrayShell, EndingClosesEveryWindowWithoutItsQuestions)
{
    TrayRig tray;
    QWidget editor;
    editor.show();
    tray.rig.controller->commands.Form_Unload();
    EXPECT_TRUE(editor.isHidden());
    EXPECT_TRUE(tray.window->isHidden());
    EXPECT_FALSE(tray.shell.icon()->isVisible());
    EXPECT_TRUE(tray.rig.dialogs.asked.isEmpty());
}
