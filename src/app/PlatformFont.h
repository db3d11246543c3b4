#pragma once

// The font the program's windows use, set once for the whole application before the first window.
void usePlatformFont();
