#pragma once

#include "fakes/ControllerRig.h"

#include "app/MainWindow.h"
#include "support/Typing.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

// The main window on a controller of fakes: every question is answered from FakeDialogs, so no
// test ever waits on a dialog.
struct GuiRig
{
    // At zoom 1, the window's size for a 1024x768 screen, whatever the test platform's screen.
    explicit GuiRig(const QDateTime& start = QDateTime(QDate(2026, 12, 7), QTime(8, 0, 0)), double zoom = 1.0)
        : rig(start), window(
                          *rig.controller, rig.desktop, [this] { ++editorOpens; }, zoom)
    {
    }

    // Start-up, then the window as the operator first sees it.
    void start()
    {
        ASSERT_TRUE(rig.load());
        window.show();
        rig.tick();
    }

    template <typename T = QWidget> T* find(const QString& name) const
    {
        T* w = window.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << "no control named " << name.toStdString();
        return w;
    }

    Controller& controller() { return *rig.controller; }

    ControllerRig rig;
    int editorOpens = 0;
    MainWindow window;
};

inline void clickAt(QWidget* w, Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF pos(w->width() / 2.0, w->height() / 2.0);
    const QPointF global = w->mapToGlobal(pos);
    QMouseEvent press(QEvent::MouseButtonPress, pos, global, button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, global, button, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
}
