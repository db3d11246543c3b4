#include "editor/EditorGeometry.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {
constexpr double Smallest = 0.85;
constexpr double Largest = 1.5;

QFont sansFont(qreal points, QFont::Weight weight)
{
    QFont font;
    // The first family that exists wins; the style hint covers a system that has none of them.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    // Set explicitly so that a control inside a bold frame does not inherit the frame's weight.
    font.setWeight(weight);
    font.setItalic(false);
    return font;
}
} // namespace

double EditorGeometry::zoomFor(const QSize& available)
{
    if (available.isEmpty())
        return 1.0;
    const double wide = double(available.width()) * TwipsPerPixel / Client.width();
    const double high = double(available.height() - TitleBar) * TwipsPerPixel / Client.height();
    // Rounded down to a hundredth, so the window never outgrows the screen by rounding.
    return std::clamp(std::floor(std::min(wide, high) * 100.0 + 1e-6) / 100.0, Smallest, Largest);
}

int EditorGeometry::px(int twips) const
{
    return int(std::lround(twips * m_zoom / TwipsPerPixel));
}

QRect EditorGeometry::rect(int left, int top, int width, int height, QPoint origin) const
{
    return QRect(px(left - origin.x()), px(top - origin.y()), px(width), px(height));
}

QFont EditorGeometry::frameFont() const
{
    return sansFont(9.75 * m_zoom, QFont::Bold);
}

QFont EditorGeometry::controlFont() const
{
    return sansFont(8 * m_zoom, QFont::Normal);
}
