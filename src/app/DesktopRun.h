#pragma once

// The program with its window and tray icon, on a QApplication. Returns the exit status.
int runDesktop(int& argc, char** argv);
