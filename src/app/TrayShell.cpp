#include "app/TrayShell.h"

#include "app/AppResources.h"
#include "app/MainWindow.h"
#include "engine/Controller.h"
#include "common/Log.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>

#include <functional>

namespace {
// Holds back the right button's press on the icon's window and reports its release instead.
class RightReleaseWatcher : public QObject
{
public:
    explicit RightReleaseWatcher(std::function<void()> released) : m_released(std::move(released)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const bool press = event->type() == QEvent::MouseButtonPress ||
                           event->type() == QEvent::MouseButtonDblClick;
        if ((!press && event->type() != QEvent::MouseButtonRelease) ||
            static_cast<QMouseEvent*>(event)->button() != Qt::RightButton)
            return false;
        if (!press)
            m_released();
        return true;
    }

private:
    std::function<void()> m_released;
};

// Qt's X11 icon draws itself in a window of its own, made when the icon is shown.
QWidget* iconWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->inherits("QSystemTrayIconSys"))
            return w;
    }
    return nullptr;
}
} // namespace

TrayShell::TrayShell() : m_icon(std::make_unique<QSystemTrayIcon>())
{
    initAppResources();
    m_icon->setIcon(QIcon(AppIconPath));
    m_icon->setToolTip(Texts::TrayTip);
    QObject::connect(m_icon.get(), &QSystemTrayIcon::activated, m_icon.get(),
                     [this](QSystemTrayIcon::ActivationReason reason) { activated(reason); });
}

TrayShell::~TrayShell() = default;

void TrayShell::attach(MainWindow* window, Controller* controller)
{
    m_window = window;
    m_controller = controller;
    // The bells must go on with every window closed or in the tray (the last message box closed, the
    // editor closed while the main window is hidden): the program ends only through its unload.
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

int TrayShell::codeFor(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
        return TrayMenu::DoubleClick;
    case QSystemTrayIcon::Context:
        return TrayMenu::RightRelease;
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::MiddleClick:
    case QSystemTrayIcon::Unknown:
        break;
    }
    return 0;
}

void TrayShell::activated(QSystemTrayIcon::ActivationReason reason)
{
    decode(codeFor(reason));
}

void TrayShell::decode(int code)
{
    if (code == 0 || !m_controller)
        return;
    m_controller->tray.trayCallback(code);
    m_controller->m.touch();
}

void TrayShell::watchIconWindow(QWidget* window)
{
    if (!m_releaseWatcher)
        m_releaseWatcher = std::make_unique<RightReleaseWatcher>([this] { decode(TrayMenu::RightRelease); });
    if (window)
        window->installEventFilter(m_releaseWatcher.get());
}

bool TrayShell::trayAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayShell::addTrayIcon()
{
    // The window's own icon, taken each time the icon is added; showing again keeps one icon.
    if (m_window)
        m_icon->setIcon(m_window->windowIcon());
    m_icon->show();
    watchIconWindow(iconWindow());
}

void TrayShell::removeTrayIcon()
{
    m_icon->hide();
}

void TrayShell::hideWindow()
{
    if (m_window)
        m_window->hide();
}

void TrayShell::minimizeWindow()
{
    if (m_window)
        m_window->showMinimized();
}

void TrayShell::showWindow()
{
    if (!m_window)
        return;
    if (m_window->isMinimized())
        m_window->showNormal();
    else
        m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void TrayShell::popupMenu()
{
    if (!m_window)
        return;
    m_window->trayMenu()->popup(QCursor::pos());
}

void TrayShell::quit()
{
    qCInfo(lcApp) << "ending the program";
    // Every window goes at once, the editor too, without its own closing questions.
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    QCoreApplication::quit();
}
