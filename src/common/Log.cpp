#include "common/Log.h"

Q_LOGGING_CATEGORY(lcBell, "vezozil.bell")
Q_LOGGING_CATEGORY(lcSound, "vezozil.sound")
// The relay is written every second while the amplifier is off: its write lines are debug lines, shown
// only when asked for (QT_LOGGING_RULES="vezozil.relay.debug=true"), never in the journal by default.
Q_LOGGING_CATEGORY(lcRelay, "vezozil.relay", QtInfoMsg)
Q_LOGGING_CATEGORY(lcFiles, "vezozil.files")
Q_LOGGING_CATEGORY(lcApp, "vezozil.app")
