#pragma once

#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <QTimer>
#include <QWidget>

// Saves a picture for the documentation: the whole screen, title bars and all, when
// VEZOZIL_SCREENSHOT_SCREEN is set (under a window manager), else the window's own content.
inline bool saveScreenshot(QWidget& window, const QString& path)
{
    if (qEnvironmentVariableIsEmpty("VEZOZIL_SCREENSHOT_SCREEN"))
        return window.grab().save(path);
    // The window manager maps and frames the window in its own time; a picture, not an assertion.
    QEventLoop settle;
    QTimer::singleShot(800, &settle, &QEventLoop::quit);
    settle.exec();
    return window.screen()->grabWindow(0).save(path);
}
