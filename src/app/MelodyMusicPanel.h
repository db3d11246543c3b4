#pragma once

#include "engine/MainModel.h"

#include <QGroupBox>
#include <QStringList>

#include <vector>

class BreakProgramPanel;
class Controller;
class MelodyBoxGroup;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QVBoxLayout;

// The melody of each bell kind, the weekend and break-music switches, the break music list with
// its volume, and "Kaydet", which stores all of them.
class MelodyMusicPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit MelodyMusicPanel(Controller& c, QWidget* parent = nullptr);
    void refresh();
    // The break program's choice belongs with these settings, since "Kaydet" stores it too.
    void addBreakProgramPanel(BreakProgramPanel* panel);

private:
    QLayout* makeMelodyBoxes();
    QLayout* makeSwitchesAndVolume();
    QLayout* makeMusicList();
    QLayout* makeVolumeAndSave();
    QCheckBox* addSwitch(const QString& name, const QString& caption, bool MainModel::*value,
                         const QString& toolTip = {});
    void refreshMusicList();

    Controller& m_c;
    QVBoxLayout* m_layout = nullptr;
    std::vector<MelodyBoxGroup*> m_melodyBoxes;
    std::vector<std::pair<QCheckBox*, bool MainModel::*>> m_switches;
    QListWidget* m_list1 = nullptr;
    QPushButton* m_command21 = nullptr;
    QPushButton* m_command23 = nullptr;
    QLabel* m_label23 = nullptr;
    QStringList m_shownList;
};
