#pragma once

// "--headless": the same bell engine with no window and no tray icon, on a QCoreApplication, so it
// needs no display. Returns the exit status.
int runHeadless(int& argc, char** argv);
