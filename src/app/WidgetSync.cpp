#include "app/WidgetSync.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>

namespace WidgetSync {

QColor fromStored(quint32 colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

void setText(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

void setText(QLineEdit* edit, const QString& text)
{
    if (edit->text() == text)
        return;
    // Keeps the operator's cursor where it was when the model rewrites a box being edited.
    const int cursor = edit->cursorPosition();
    const QSignalBlocker blocker(edit);
    edit->setText(text);
    edit->setCursorPosition(std::min(cursor, int(text.size())));
}

void setTitle(QGroupBox* box, const QString& title)
{
    if (box->title() != title)
        box->setTitle(title);
}

void setChecked(QAbstractButton* button, bool checked)
{
    if (button->isChecked() == checked)
        return;
    // Showing the model is no operator input: it must not run the box's handler again.
    const QSignalBlocker blocker(button);
    button->setChecked(checked);
}

void setValue(QSpinBox* box, int value)
{
    if (box->value() == value)
        return;
    const QSignalBlocker blocker(box);
    box->setValue(value);
}

void setShown(QWidget* widget, bool shown)
{
    if (widget->isHidden() == shown)
        widget->setHidden(!shown);
}

void setToolTip(QWidget* widget, const QString& tip)
{
    if (widget->toolTip() != tip)
        widget->setToolTip(tip);
}

void setBackground(QLabel* label, quint32 storedColour)
{
    const QColor colour = fromStored(storedColour);
    if (label->autoFillBackground() && label->palette().color(QPalette::Window) == colour)
        return;
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
}

} // namespace WidgetSync
