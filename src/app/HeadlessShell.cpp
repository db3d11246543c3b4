#include "app/HeadlessShell.h"

#include "common/Log.h"

#include <QCoreApplication>

void HeadlessShell::quit()
{
    qCInfo(lcApp) << "ending the program";
    QCoreApplication::quit();
}
