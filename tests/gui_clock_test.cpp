// The clock's label paints from pictures made once; it must look as a plain label with its text does.
#include "app/ClockLabel.h"

#include "support/TestSupport.h"

#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

void dressAsTheClock(QLabel& label, const QString& text, const QColor& ink)
{
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSize(30);
    font.setBold(true);
    label.setFont(font);
    label.setAlignment(Qt::AlignCenter);
    label.setTextFormat(Qt::PlainText);
    label.setBackgroundRole(QPalette::Base);
    label.setAutoFillBackground(true);
    label.setFrameShape(QFrame::StyledPanel);
    label.setFrameShadow(QFrame::Sunken);
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, ink);
    label.setPalette(palette);
    label.setFixedSize(260, 64);
    label.setText(text);
}

// The share of 4 x 4 cells whose mean colour differs visibly between two pictures of the same size.
// Cells rather than pixels: glyphs drawn once and placed may smooth their edges a shade differently.
double differingShare(const QImage& a, const QImage& b)
{
    constexpr int cell = 4;
    int cells = 0;
    int differing = 0;
    for (int top = 0; top + cell <= a.height(); top += cell) {
        for (int left = 0; left + cell <= a.width(); left += cell) {
            int sum = 0;
            for (int y = top; y < top + cell; ++y) {
                for (int x = left; x < left + cell; ++x) {
                    const QColor p = a.pixelColor(x, y);
                    const QColor q = b.pixelColor(x, y);
                    sum += p.red() - q.red() + p.green() - q.green() + p.blue() - q.blue();
                }
            }
            ++cells;
            if (std::abs(sum) > 3 * 48 * cell * cell)
                ++differing;
        }
    }
    return double(differing) / cells;
}

} // namespace

TEST(ClockLabel, LooksLikeAPlainLabelWithItsText)
{
    struct Case
    {
        const char* text;
        QColor ink;
    };
    const Case cases[] = {
        {"10:24:38", Qt::black},
        {"00:00:00", Qt::black},
        {"23:59:59", Qt::darkRed}, // colours changed after the first paint are drawn anew
        {"Label1", Qt::black},     // not a clock's text: painted as a plain label paints it
    };
    ClockLabel clock;
    dressAsTheClock(clock, QStringLiteral("12:34:56"), Qt::black);
    clock.grab(); // the pictures are made at the first paint
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QLabel plain;
        dressAsTheClock(plain, QString::fromLatin1(c.text), c.ink);
        dressAsTheClock(clock, QString::fromLatin1(c.text), c.ink);
        const QImage expected = plain.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage painted = clock.grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(painted.size(), expected.size());
        EXPECT_LT(differingShare(painted, expected), 0.01);
    }
}
