#pragma once

#include <QWidget>

#include <functional>
#include <vector>

class Controller;
class QGridLayout;

// "Hemen Çal": the anthem, silence, siren and manual bells at the press of a button, the stop
// button, and beside them the bell switch, "Tepsiye Küçült" and "Programı Kapat".
class PlayNowPanel : public QWidget
{
    Q_OBJECT
public:
    explicit PlayNowPanel(Controller& c, QWidget* parent = nullptr);

    struct ButtonDesign
    {
        const char* name;
        QString caption;
        QString toolTip;
        std::function<void(Controller&)> click;
    };

private:
    QGridLayout* addButtons(QWidget* parent, const std::vector<ButtonDesign>& designs);
    QWidget* makeSoundButtons();
    QWidget* makeCommandButtons();

    Controller& m_c;
};
