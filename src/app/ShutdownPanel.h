#pragma once

#include <QGroupBox>

class Autostart;
class Controller;
class MainModel;
class QCheckBox;
class QLineEdit;

// The weekday and weekend times at which the computer is shut down, and their "Kaydet"; beside them,
// whether the program starts with the computer.
class ShutdownPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit ShutdownPanel(Controller& c, QWidget* parent = nullptr);
    void refresh();
    // The box is offered once the desktop's autostart is given; it shows what that holds.
    void setAutostart(Autostart* autostart);

private:
    QLineEdit* timeBox(const QString& name, QString MainModel::*value);
    void autostartClicked(bool enabled);
    void showAutostart();

    Controller& m_c;
    QLineEdit* m_text26 = nullptr;
    QLineEdit* m_text45 = nullptr;
    QCheckBox* m_autostartBox = nullptr;
    Autostart* m_autostart = nullptr;
};
