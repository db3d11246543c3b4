#include "editor/EditorFrame.h"

#include <QStylePainter>
#include <qdrawutil.h>

namespace {
constexpr int TitleIndent = 8;  // pixels from the frame's left edge to its caption
constexpr int TitlePadding = 2; // clear space either side of the caption
} // namespace

EditorFrame::EditorFrame(const QString& name, const QString& title, const QRect& geometry, const QFont& font,
                         QWidget* parent)
    : QGroupBox(title, parent)
{
    setObjectName(name);
    setFont(font);
    setGeometry(geometry);
}

void EditorFrame::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    // An etched border in the palette's shades; styles would place their own group-box border
    // below the caption instead.
    qDrawShadeRect(&painter, rect().adjusted(0, metrics.height() / 2, 0, 0), palette(), true, 1, 0);

    const QRect caption(TitleIndent, 0, metrics.horizontalAdvance(title()) + 2 * TitlePadding,
                        metrics.height());
    painter.fillRect(caption, palette().window());
    painter.drawItemText(caption, Qt::AlignCenter | Qt::TextSingleLine, palette(), isEnabled(), title(),
                         QPalette::WindowText);
}
