#include "common/Log.h"

Q_LOGGING_CATEGORY(lcBell, "vezozil.bell")
Q_LOGGING_CATEGORY(lcSound, "vezozil.sound")
Q_LOGGING_CATEGORY(lcRelay, "vezozil.relay")
Q_LOGGING_CATEGORY(lcFiles, "vezozil.files")
Q_LOGGING_CATEGORY(lcApp, "vezozil.app")
