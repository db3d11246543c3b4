#include "app/ClockLabel.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QtMath>
#include <QPainter>

namespace {
bool isClockText(const QString& text)
{
    for (QChar c : text) {
        if (!c.isDigit() && c != QLatin1Char(':'))
            return false;
    }
    return !text.isEmpty();
}

int glyphMargin(const QFontMetrics& metrics)
{
    return metrics.height() / 4;
}
} // namespace

ClockLabel::ClockLabel(QWidget* parent) : QLabel(parent)
{
    // The face covers every pixel, so nothing behind it is painted first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClockLabel::paintEvent(QPaintEvent* event)
{
    if (!isClockText(text()) || alignment() != Qt::AlignCenter) {
        QPainter painter(this);
        painter.fillRect(rect(), palette().brush(backgroundRole()));
        painter.end();
        QLabel::paintEvent(event);
        return;
    }
    if (m_glyphs.isEmpty()) {
        // Every character a clock shows, drawn at its first showing rather than over its first minute.
        for (QChar c : QStringLiteral("0123456789:"))
            glyph(c);
    }
    qreal width = 0;
    for (QChar c : text())
        width += glyph(c).advance;
    QPainter painter(this);
    painter.drawPixmap(0, 0, face());
    const QRect area = contentsRect();
    // Placed at fractional advances, as a laid-out text places them, each rounded to a whole pixel.
    qreal x = area.x() + (area.width() - width) / 2;
    const QFontMetrics metrics = fontMetrics();
    const int y = area.y() + (area.height() - metrics.height()) / 2;
    for (QChar c : text()) {
        const Glyph& g = glyph(c);
        painter.drawPixmap(qRound(x) - glyphMargin(metrics), y, g.picture);
        x += g.advance;
    }
}

const QPixmap& ClockLabel::face()
{
    const qreal ratio = devicePixelRatioF();
    if (!m_face.isNull() && m_face.size() == size() * ratio)
        return m_face;
    m_face = QPixmap(size() * ratio);
    m_face.setDevicePixelRatio(ratio);
    m_face.fill(palette().color(backgroundRole()));
    QPainter painter(&m_face);
    drawFrame(&painter);
    return m_face;
}

const ClockLabel::Glyph& ClockLabel::glyph(QChar c)
{
    const auto found = m_glyphs.constFind(c.unicode());
    if (found != m_glyphs.constEnd())
        return *found;
    const QFontMetrics metrics = fontMetrics();
    const qreal ratio = devicePixelRatioF();
    const qreal advance = QFontMetricsF(font()).horizontalAdvance(c);
    // Room either side for serifs and strokes that reach past the advance.
    QPixmap picture(QSize(qCeil(advance) + 2 * glyphMargin(metrics), metrics.height()) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(glyphMargin(metrics), metrics.ascent(), QString(c));
    painter.end();
    return *m_glyphs.insert(c.unicode(), Glyph{picture, advance});
}

void ClockLabel::forget()
{
    m_face = QPixmap();
    m_glyphs.clear();
}

void ClockLabel::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::EnabledChange:
        forget();
        break;
    default:
        break;
    }
    QLabel::changeEvent(event);
}

void ClockLabel::resizeEvent(QResizeEvent* event)
{
    m_face = QPixmap();
    QLabel::resizeEvent(event);
}
