#pragma once

#include <QGroupBox>

#include <array>

class Controller;
class QLabel;
class QRadioButton;
class QSpinBox;

// The amplifier modes, its on/off indicator, the choice of the LPT port that drives its relay,
// and a warning while that relay cannot be reached.
class AmplifierPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit AmplifierPanel(Controller& c, QWidget* parent = nullptr);
    void refresh();

private:
    QLayout* makeModeButtons();
    QLayout* makePortOptions();
    QLayout* makeWarmUp();

    Controller& m_c;
    QLabel* m_label4 = nullptr;
    QLabel* m_relayProblem = nullptr;
    QSpinBox* m_warmUp = nullptr;
    std::array<QRadioButton*, 3> m_options{};
};
