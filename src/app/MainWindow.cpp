#include "app/MainWindow.h"

#include "app/AmplifierPanel.h"
#include "app/AppResources.h"
#include "app/BreakProgramPanel.h"
#include "app/Controls.h"
#include "app/CreditsFrame.h"
#include "app/GridPanel.h"
#include "app/MelodyMusicPanel.h"
#include "app/PlayNowPanel.h"
#include "app/ShutdownPanel.h"
#include "app/StatusPanel.h"
#include "engine/Controller.h"
#include "common/Log.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

MainWindow::MainWindow(Controller& c, Desktop& desktop, std::function<void()> openEditor, QWidget* parent)
    : QMainWindow(parent), m_c(c)
{
    initAppResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(Texts::WindowCaption);
    setWindowIcon(QIcon(AppIconPath));
    buildMenu();
    setCentralWidget(buildCentralWidget(desktop, std::move(openEditor)));
    connect(&c.m, &MainModel::changed, this, [this] {
        m_stale = true;
        refresh();
    });
    connect(&c.m, &MainModel::ticked, this, &MainWindow::refresh);
    m_stale = true;
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

QWidget* MainWindow::buildCentralWidget(Desktop& desktop, std::function<void()> openEditor)
{
    m_status = new StatusPanel(m_c);
    m_amplifier = new AmplifierPanel(m_c);
    m_grid = new GridPanel(m_c, std::move(openEditor));
    m_melodyMusic = new MelodyMusicPanel(m_c);
    m_breakProgram = new BreakProgramPanel(m_c);
    m_melodyMusic->addBreakProgramPanel(m_breakProgram);
    m_playNow = new PlayNowPanel(m_c);
    m_shutdown = new ShutdownPanel(m_c);
    m_credits = new CreditsFrame(desktop);

    auto* top = new QHBoxLayout;
    top->addWidget(m_status, 1);
    top->addWidget(m_amplifier);

    auto* right = new QVBoxLayout;
    right->addWidget(m_playNow, 1);
    right->addWidget(m_shutdown);
    right->addWidget(m_credits);

    auto* columns = new QHBoxLayout;
    columns->addWidget(m_grid);
    columns->addWidget(m_melodyMusic);
    columns->addLayout(right, 1);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->addLayout(top);
    layout->addLayout(columns, 1);
    return central;
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

void MainWindow::refreshPanels()
{
    m_stale = false;
    m_shown = m_c.m;
    m_status->refresh();
    m_amplifier->refresh();
    m_grid->refresh();
    m_melodyMusic->refresh();
    m_breakProgram->refresh();
    m_shutdown->refresh();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing the window ends the program, without a question; the request cannot be refused.
    qCInfo(lcApp) << "main window closed: ending";
    event->accept();
    m_c.commands.Form_Unload();
}
