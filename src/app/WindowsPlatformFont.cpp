#include "app/PlatformFont.h"

#include <QApplication>
#include <QFont>

// Windows names its dialog font "MS Shell Dlg 2", an alias the font database behind Qt's windows
// platform does not know, so Qt falls back to whatever it finds first, a serif font under Wine. Segoe
// UI is the font of Windows' own windows from Vista on; where it is missing (Wine) Liberation Sans,
// drawn to Arial's measures, or DejaVu Sans stands in, both with every Turkish letter.
void usePlatformFont()
{
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Segoe UI"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QApplication::setFont(font);
}
