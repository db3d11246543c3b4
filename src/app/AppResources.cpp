#include "app/AppResources.h"

#include "app/PlatformFont.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must stand outside every namespace.
static void registerResources()
{
    Q_INIT_RESOURCE(resources);
}

void initAppResources()
{
    static const bool registered = (registerResources(), usePlatformFont(), true);
    Q_UNUSED(registered);
}
