#pragma once

#include <QColor>
#include <QString>

class QAbstractButton;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QWidget;

// Brings a widget into line with the model. Each setter touches the widget only when its value
// differs: the model is pushed to the window every second, and an idle window must cost nothing.
namespace WidgetSync {

// The system stores colours with red in the lowest byte (0x00BBGGRR).
QColor fromStored(quint32 colour);

void setText(QLabel* label, const QString& text);
void setText(QLineEdit* edit, const QString& text);
void setTitle(QGroupBox* box, const QString& title);
void setChecked(QAbstractButton* button, bool checked);
void setValue(QSpinBox* box, int value);
void setShown(QWidget* widget, bool shown);
void setToolTip(QWidget* widget, const QString& tip);
// Fills the label's background with a stored colour.
void setBackground(QLabel* label, quint32 storedColour);

} // namespace WidgetSync
