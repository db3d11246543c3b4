#include "app/UiScale.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace UiScale {

double forAvailable(const QSize& available)
{
    if (available.isEmpty())
        return 1.0;
    const double wide = double(available.width()) / Reference.width();
    const double high = double(available.height() - TitleBar) / Reference.height();
    // Rounded down to a hundredth, so the window never outgrows the screen by rounding; a hair of
    // tolerance keeps an exact fit exact.
    const double steps = std::floor(std::min(wide, high) * 100.0 + 1e-6) / 100.0;
    return std::clamp(steps, Smallest, Largest);
}

double forScreen(const QScreen* screen)
{
    return screen ? forAvailable(screen->availableGeometry().size()) : 1.0;
}

double forPrimaryScreen()
{
    return forScreen(QGuiApplication::primaryScreen());
}

QFont zoomed(const QFont& font, double zoom)
{
    QFont f = font;
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * zoom);
    else
        f.setPixelSize(std::max(1, int(std::lround(f.pixelSize() * zoom))));
    return f;
}

} // namespace UiScale
