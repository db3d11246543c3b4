#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

// Acts on the next dialog of type T as soon as it is open, so that no test waits on a person.
// Should it never open, every modal dialog is closed after a few seconds instead of hanging.
template <typename T> inline void whenOpen(std::function<void(T*)> act)
{
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act, tries = 0]() mutable {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<T*>(w); dialog && dialog->isVisible()) {
                poll->deleteLater();
                act(dialog);
                return;
            }
        }
        if (++tries > 1000) {
            ADD_FAILURE() << "the expected dialog never opened";
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
            poll->deleteLater();
        }
    });
    poll->start(5);
}
