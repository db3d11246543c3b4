#pragma once

// "--headless": the same bell engine with no window and no tray icon, on a QCoreApplication, so it
// needs no display. Started by a service manager, it refuses (status 3) while a copy with a window
// rings the bells of this PC. Returns the exit status.
int runHeadless(int& argc, char** argv);
