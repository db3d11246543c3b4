#pragma once

#include <QHash>
#include <QLabel>
#include <QPixmap>

// The clock's label, painted from pictures made once: its frame and background at its size, and each
// character it shows. It is repainted every second all day, and laying out, shaping and drawing its
// text and frame afresh each time cost more than everything else the program does in an idle second.
// Its text, size and looks are those of a plain label; a text with other characters than a clock's is
// painted as a plain label paints it.
class ClockLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClockLabel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Glyph
    {
        QPixmap picture;
        qreal advance = 0;
    };

    const QPixmap& face();
    const Glyph& glyph(QChar c);
    void forget();

    QPixmap m_face;
    // Measured once with the pictures: measuring a text shapes it, which costs as much as drawing it.
    QHash<char16_t, Glyph> m_glyphs;
};
