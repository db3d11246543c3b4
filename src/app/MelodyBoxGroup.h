#pragma once

#include "engine/MainModel.h"

#include <QGroupBox>

#include <functional>

class Controller;
class QCheckBox;
class QComboBox;

// One bell kind's melody: the box with "Melodi 1" ... "Melodi 9", its "Dinle" button and, for the
// student and teacher bells, the announcement box.
class MelodyBoxGroup : public QGroupBox
{
    Q_OBJECT
public:
    struct Design
    {
        MelodyBox box;
        QString frameName, title, comboName, listenName, checkName; // no check box when checkName is empty
        std::function<void(Controller&)> change;                    // the box's change handler
        std::function<void(Controller&)> listen;                    // its "Dinle"
        bool MainModel::*announcement = nullptr;
    };

    MelodyBoxGroup(Controller& c, Design design, QWidget* parent = nullptr);
    void refresh();

private:
    void textChanged(const QString& text);

    Controller& m_c;
    const Design m_design;
    QComboBox* m_combo = nullptr;
    QCheckBox* m_check = nullptr;
};
