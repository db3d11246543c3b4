#pragma once

#include "app/UiScale.h"
#include "engine/MainModel.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>

class AmplifierPanel;
class Autostart;
class BreakProgramPanel;
class CalendarStrip;
class CalendarWindow;
class Controller;
class CreditsFrame;
class Desktop;
class GridPanel;
class MelodyMusicPanel;
class PlayNowPanel;
class QLabel;
class QMenu;
class ShutdownPanel;
class StatusPanel;

// The operator's console. The panels own their controls; the window lays them out, keeps them in
// step with the model and holds the menu that the tray icon also pops up.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // `zoom` sizes the window's text and controls (see UiScale); by default to suit the primary screen.
    MainWindow(Controller& c, Desktop& desktop, std::function<void()> openEditor,
               double zoom = UiScale::forPrimaryScreen(), QWidget* parent = nullptr);
    ~MainWindow() override;

    // "Vezo Zil Menüsü": the same menu stands in the menu bar and pops up from the tray icon.
    QMenu* trayMenu() const { return m_menu; }
    void setVisible(bool visible) override;
    // "Bilgisayar açılınca başlat" works on this; without it the box is greyed out.
    void setAutostart(Autostart* autostart);

    // "Takvim": opens the calendar window, or brings the open one to the front.
    void openCalendar();
    CalendarWindow* calendarWindow() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    void buildCentralWidget(Desktop& desktop, std::function<void()> openEditor);
    void buildMenuLine();
    void refresh();
    void refreshPanels();

    Controller& m_c;
    QMenu* m_menu = nullptr;
    StatusPanel* m_status = nullptr;
    AmplifierPanel* m_amplifier = nullptr;
    GridPanel* m_grid = nullptr;
    MelodyMusicPanel* m_melodyMusic = nullptr;
    BreakProgramPanel* m_breakProgram = nullptr;
    PlayNowPanel* m_playNow = nullptr;
    ShutdownPanel* m_shutdown = nullptr;
    CreditsFrame* m_credits = nullptr;
    CalendarStrip* m_calendar = nullptr;
    QPointer<CalendarWindow> m_calendarWindow;
    double m_zoom = 1.0;
    QLabel* m_clockWarning = nullptr;
    MainModelData m_shown; // what the panels show now
    bool m_stale = false;
};
