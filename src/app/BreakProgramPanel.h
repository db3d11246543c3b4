#pragma once

#include <QGroupBox>

#include <vector>

class Controller;
class QCheckBox;
class QLabel;
class QLineEdit;

// The choice between break music and an outside program, and the choice of that program and of the
// one to end when the break is over. "Hayır" switches the panel between the two modes.
class BreakProgramPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit BreakProgramPanel(Controller& c, QWidget* parent = nullptr);
    void refresh();
    // Gives each help text the height it needs in a panel this wide, so the window's size does not
    // depend on how the layout guesses the height of wrapped text.
    void fitTextsTo(int panelWidth);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    Controller& m_c;
    QCheckBox* m_check33 = nullptr;
    QLineEdit* m_programPath = nullptr;
    QLineEdit* m_imageName = nullptr;
    std::vector<QWidget*> m_programControls;
    std::vector<QLabel*> m_helpTexts;
};
