#pragma once

#include <QLoggingCategory>

// Logging goes to standard error only; nothing is written into the program folder.
Q_DECLARE_LOGGING_CATEGORY(lcBell)
Q_DECLARE_LOGGING_CATEGORY(lcSound)
Q_DECLARE_LOGGING_CATEGORY(lcRelay)
Q_DECLARE_LOGGING_CATEGORY(lcFiles)
Q_DECLARE_LOGGING_CATEGORY(lcApp)
