#include "app/MainWindow.h"

#include "app/AmplifierPanel.h"
#include "app/AppResources.h"
#include "app/BreakProgramPanel.h"
#include "app/CalendarStrip.h"
#include "app/CalendarWindow.h"
#include "app/Controls.h"
#include "app/CreditsFrame.h"
#include "app/GridPanel.h"
#include "app/MelodyMusicPanel.h"
#include "app/PlayNowPanel.h"
#include "app/ShutdownPanel.h"
#include "app/StatusPanel.h"
#include "app/ToolTipWrapper.h"
#include "app/WidgetSync.h"
#include "common/Log.h"
#include "engine/Controller.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

MainWindow::MainWindow(Controller& c, Desktop& desktop, std::function<void()> openEditor, double zoom,
                       QWidget* parent)
    : QMainWindow(parent), m_c(c), m_zoom(zoom)
{
    initAppResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(Texts::WindowCaption);
    setWindowIcon(QIcon(AppIconPath));
    ToolTipWrapper::install();
    // Before any control exists: each one takes its size from the font it inherits.
    setFont(UiScale::zoomed(font(), zoom));
    buildMenu();
    buildCentralWidget(desktop, std::move(openEditor));
    buildMenuLine();
    UiScale::enlargeIndicators(this, zoom);
    connect(&c.m, &MainModel::changed, this, [this] {
        m_stale = true;
        refresh();
    });
    connect(&c.m, &MainModel::ticked, this, &MainWindow::refresh);
    m_stale = true;
}

MainWindow::~MainWindow()
{
    // A window of its own, not a child: it goes with the console.
    delete m_calendarWindow.data();
}

void MainWindow::openCalendar()
{
    // A closed window is hidden at once and deleted only when the event loop next runs.
    if (m_calendarWindow && m_calendarWindow->isVisible()) {
        m_calendarWindow->setWindowState(m_calendarWindow->windowState() & ~Qt::WindowMinimized);
        m_calendarWindow->show();
        m_calendarWindow->raise();
        m_calendarWindow->activateWindow();
        return;
    }
    m_calendarWindow = new CalendarWindow(m_c, m_zoom);
    m_calendarWindow->setAttribute(Qt::WA_DeleteOnClose);
    m_calendarWindow->show();
}

CalendarWindow* MainWindow::calendarWindow() const
{
    return m_calendarWindow && m_calendarWindow->isVisible() ? m_calendarWindow.data() : nullptr;
}

void MainWindow::buildMenu()
{
    m_menu = menuBar()->addMenu(QStringLiteral("Vezo Zil Menüsü"));
    m_menu->setObjectName(QStringLiteral("mnmenu"));
    const struct
    {
        const char* name;
        QString caption;
        std::function<void(Controller&)> click;
    } items[] = {
        {"mngoster", QStringLiteral("Ekranda Göster"), [](Controller& c) { c.tray.mngoster_Click(); }},
        {"amfiac", QStringLiteral("Amfiyi Aç"), [](Controller& c) { c.amp.amfiac_Click(); }},
        {"zilkapat", QStringLiteral("Zil kapat"), [](Controller& c) { c.commands.zilkapat_Click(); }},
        {"mncikis", QStringLiteral("Programı Kapat"), [](Controller& c) { c.commands.mncikis_Click(); }},
        {"bilgkapat", QStringLiteral("Bilgisayarı Kapat"),
         [](Controller& c) { c.commands.bilgkapat_Click(); }},
        {"sesdur", QStringLiteral("Ses Yayınını Durdur"), [](Controller& c) { c.tray.sesdur_Click(); }},
    };
    for (const auto& item : items) {
        QAction* action = m_menu->addAction(item.caption);
        action->setObjectName(QString::fromLatin1(item.name));
        connect(action, &QAction::triggered, this,
                [this, click = item.click] { Controls::runHandler(m_c, [&] { click(m_c); }); });
    }
}

void MainWindow::buildCentralWidget(Desktop& desktop, std::function<void()> openEditor)
{
    // Every panel is made inside the window, so that it inherits the window's font as it is built.
    auto* central = new QWidget(this);
    setCentralWidget(central);
    m_status = new StatusPanel(m_c, central);
    m_amplifier = new AmplifierPanel(m_c, central);
    m_shutdown = new ShutdownPanel(m_c, central);
    m_grid = new GridPanel(m_c, std::move(openEditor), central);
    m_melodyMusic = new MelodyMusicPanel(m_c, central);
    m_breakProgram = new BreakProgramPanel(m_c, m_melodyMusic);
    m_melodyMusic->addBreakProgramPanel(m_breakProgram);
    m_playNow = new PlayNowPanel(m_c, central);
    m_credits = new CreditsFrame(desktop, central);

    // The status area across the top: date and clock, the last bell and the bell switch, the
    // amplifier, the shutdown times. Below it the timetable, the settings and the play-now buttons.
    auto* top = new QHBoxLayout;
    top->addWidget(m_status, 1);
    top->addWidget(m_amplifier);
    top->addWidget(m_shutdown);

    auto* right = new QVBoxLayout;
    right->addWidget(m_playNow, 1);
    right->addWidget(m_credits);

    auto* columns = new QHBoxLayout;
    columns->addWidget(m_grid);
    columns->addWidget(m_melodyMusic, 1);
    columns->addLayout(right);

    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(6);
    layout->addLayout(top);
    layout->addLayout(columns, 1);
}

void MainWindow::buildMenuLine()
{
    // What the calendar says of today and the clock warning share the menu's line, which is empty
    // beside its one menu: a line of their own would add height that a 1024x768 screen does not have.
    m_calendar = new CalendarStrip(m_c, [this] { openCalendar(); });
    m_clockWarning = Controls::label(this, QStringLiteral("clockWarning"));
    // The menu's own size: a font weight set in the style sheet would fall back to the unzoomed font.
    QFont bold = menuBar()->font();
    bold.setBold(true);
    m_clockWarning->setFont(bold);
    m_clockWarning->setStyleSheet(QStringLiteral("color: #b00000; padding: 0 8px;"));
    m_clockWarning->setToolTip(
        QStringLiteral("Bilgisayarın saati en az bir saattir bir zaman sunucusuyla eşitlenmiyor; "
                       "ziller yanlış saatte çalabilir. Ağ bağlantısını ve tarih-saat ayarlarındaki "
                       "otomatik eşitlemeyi denetleyiniz."));
    m_clockWarning->setHidden(true);
    auto* line = new QWidget(this);
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_calendar, 1);
    layout->addWidget(m_clockWarning);
    menuBar()->setCornerWidget(line, Qt::TopRightCorner);
}

void MainWindow::refresh()
{
    // A window in the tray shows nothing, so it is brought up to date when it is shown again.
    if (isHidden()) {
        m_stale = true;
        return;
    }
    // An idle second changes the clock alone, and then only its label is touched: walking every
    // control of the window each second costs many times what the tick itself does.
    const MainModelData& model = m_c.m;
    m_status->refreshClock();
    m_shown.label1Caption = model.label1Caption;
    if (m_stale || !(m_shown == model))
        refreshPanels();
}

void MainWindow::setVisible(bool visible)
{
    // Before the window is shown, so that its size is worked out for what it will show.
    if (visible && m_stale)
        refreshPanels();
    // The whole console at once: Qt's default first size is kept to two thirds of the screen.
    if (visible && !testAttribute(Qt::WA_Resized)) {
        // Panels hidden before the first show leave sizes cached from before, in every layout.
        for (QLayout* layout : findChildren<QLayout*>())
            layout->invalidate();
        resize(sizeHint());
    }
    QMainWindow::setVisible(visible);
}

void MainWindow::setAutostart(Autostart* autostart)
{
    m_shutdown->setAutostart(autostart);
}

void MainWindow::refreshPanels()
{
    m_stale = false;
    m_shown = m_c.m;
    m_status->refresh();
    m_amplifier->refresh();
    m_grid->refresh();
    // The controls of the break mode being left go away before those of the other appear: showing a
    // control lays the window out at once, and with both sets shown for that moment the window would
    // grow to hold them all and stay that high.
    if (m_c.m.programControlsShown) {
        m_melodyMusic->refresh();
        m_breakProgram->refresh();
    } else {
        m_breakProgram->refresh();
        m_melodyMusic->refresh();
    }
    m_shutdown->refresh();
    m_calendar->refresh();
    WidgetSync::setText(m_clockWarning, m_c.m.clockWarning);
    WidgetSync::setShown(m_clockWarning, !m_c.m.clockWarning.isEmpty());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing the window ends the program, without a question; the request cannot be refused.
    qCInfo(lcApp) << "main window closed: ending";
    event->accept();
    m_c.commands.Form_Unload();
}
