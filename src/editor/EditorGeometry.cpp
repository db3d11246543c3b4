#include "editor/EditorGeometry.h"

#include <QStringList>

namespace EditorGeometry {

namespace {
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

QRect rect(int left, int top, int width, int height, QPoint origin)
{
    return QRect(px(left - origin.x()), px(top - origin.y()), px(width), px(height));
}

QFont frameFont()
{
    return sansFont(9.75, QFont::Bold);
}

QFont controlFont()
{
    return sansFont(8, QFont::Normal);
}

} // namespace EditorGeometry
