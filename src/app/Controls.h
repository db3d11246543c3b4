#pragma once

#include <QString>

#include <functional>

class Controller;
class QAbstractButton;
class QCheckBox;
class QDialog;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Makes the window's controls. Each carries its design name as object name, so the name a handler
// is known by is the name of the control that calls it. Elements of a control array are named
// with the index after an underscore ("Label8_0", "Combo3_1").
namespace Controls {

QPushButton* button(QWidget* parent, const QString& name, const QString& caption,
                    const QString& toolTip = {});
QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption,
                    const QString& toolTip = {});
QLabel* label(QWidget* parent, const QString& name, const QString& caption = {});
// A label whose text wraps, for the longer help texts.
QLabel* helpText(QWidget* parent, const QString& name, const QString& caption);
QGroupBox* group(QWidget* parent, const QString& name, const QString& title);
// "Kaydet" and "Vazgeç" under a dialog, accepting and rejecting it.
QDialogButtonBox* saveCancelButtons(QDialog* dialog);
// A one-line box that shows a time and cannot be typed into.
QLineEdit* timeDisplay(QWidget* parent, const QString& name, const QString& toolTip = {});

// Runs an operator's handler on a click, then lets every panel show what the handler changed.
void onClick(QAbstractButton* button, Controller& c, std::function<void()> handler);
// The same for any handler not tied to a click.
void runHandler(Controller& c, const std::function<void()>& handler);

} // namespace Controls
