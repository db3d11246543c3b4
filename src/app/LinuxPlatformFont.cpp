#include "app/PlatformFont.h"

// The desktop's own font, as fontconfig and the desktop's settings give it.
void usePlatformFont() {}
