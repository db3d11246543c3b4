#pragma once

#include <QGroupBox>

class Controller;
class MainModel;
class QLineEdit;

// The weekday and weekend times at which the computer is shut down, and their "Kaydet".
class ShutdownPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit ShutdownPanel(Controller& c, QWidget* parent = nullptr);
    void refresh();

private:
    QLineEdit* timeBox(const QString& name, QString MainModel::*value);

    Controller& m_c;
    QLineEdit* m_text26 = nullptr;
    QLineEdit* m_text45 = nullptr;
};
