#pragma once

#include <QCoreApplication>

// Tests that need Qt's event loop (socket notifiers, processes) without widgets share one
// application object for the life of the test program.
inline QCoreApplication& ensureCoreApplication()
{
    if (auto* app = QCoreApplication::instance())
        return *app;
    static int argc = 1;
    static char name[] = "vezozil-test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}
