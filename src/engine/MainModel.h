#pragma once

#include "calendar/CalendarTexts.h"
#include "engine/Texts.h"
#include "schedule/DaySchedule.h"

#include <QObject>
#include <QStringList>

#include <array>

// The four melody boxes, in the order of their paths in the controller state.
enum class MelodyBox { Student = 0, Teacher = 1, Exit = 2, Assembly = 3 }; // Combo3(0), Combo2, Combo1, Combo3(1)
constexpr int MelodyBoxCount = 4;
constexpr int MelodyRows = 9; // "Melodi 1" ... "Melodi 9"

struct MelodyChoice
{
    int position = -1; // -1: no row selected (the text was typed over or never chosen)
    QString text = Texts::MelodyPrompt;

    bool operator==(const MelodyChoice&) const = default;
};

struct Indicator
{
    QString caption;
    quint32 colour = 0; // red in the lowest byte, as stored by the system

    bool operator==(const Indicator&) const = default;
};

// What the main window shows and what its controls hold, as plain values that can be copied and
// compared: the window keeps the copy it last showed and redraws only what differs from it.
struct MainModelData
{
    // Status area
    QString frame1Caption;                                  // date "dd mmmm yyyy  dddd"
    QString label1Caption;                                  // clock "hh:mm:ss"
    QString text1;                                          // "Son Alarm": minute of the last bell
    Indicator label7{QStringLiteral("Zil Açık"), Colours::Green}; // bell switch
    QString label22Caption = QStringLiteral("Label22");     // bellsOff as "0"/"1"
    QString clockWarning; // empty while the clock is kept synchronised, or nothing can say

    // Amplifier frame
    Indicator label4{QStringLiteral("Amfi Kapalı"), Colours::Red};
    QString relayProblem;   // empty while the relay port is reachable
    int lptOption = 0;      // 1..3 for Option1..Option3, 0 for none selected

    // What the calendar says of today, beside the bell indicator: the day's rules first, then warnings.
    QList<CalendarNote> calendarNotes;

    // Today's grid, in slot order (Text2 ... Text56, Text46, Text47)
    DaySchedule grid;
    // Per slot, why the calendar silences its bell today (the box's mark and tooltip); empty: it rings.
    std::array<QString, Slots::Count> silencedSlots{};
    std::array<bool, Slots::Lessons> lessonMusic{}; // Check7..Check20, Check6, Check21, Check22 by lesson

    // Melody and music panel
    std::array<MelodyChoice, MelodyBoxCount> melody;
    bool check1 = false; // "Sözlü anons" after the student bell
    bool check2 = false; // "Sözlü anons" after the teacher bell
    bool check3 = false; // "Haftasonu zil çalmasın"
    bool check4 = false; // "Haftasonu programı kapat"
    bool check5 = false; // "Tenefüste müzik çalsın"
    QStringList musicList;  // List1
    int musicListIndex = -1;
    QString label23Caption = QStringLiteral("100");

    // Break program panel
    bool check33 = false;              // "Hayır": no outside program, breaks play music
    bool programControlsShown = true;  // set by gecisyap: program controls shown, music controls hidden

    // Shutdown times
    QString text26 = QStringLiteral("17:00");
    QString text45 = QStringLiteral("18:00");

    MelodyChoice& box(MelodyBox b) { return melody[static_cast<int>(b)]; }
    const MelodyChoice& box(MelodyBox b) const { return melody[static_cast<int>(b)]; }

    MainModelData();
    bool operator==(const MainModelData&) const = default;
};

// The main window's model: the engine reads and writes it, and the widgets only show it and pass
// the operator's input to it.
class MainModel : public QObject, public MainModelData
{
    Q_OBJECT
public:
    // After a handler: every control is brought in line with the model, the operator's own input too.
    void touch() { Q_EMIT changed(); }
    // After a tick: the window redraws only what differs from what it shows.
    void tickDone() { Q_EMIT ticked(); }

Q_SIGNALS:
    void changed();
    void ticked();
};

// Object names of the lesson music boxes, by lesson 1..17.
QString lessonMusicBoxName(int lesson);
