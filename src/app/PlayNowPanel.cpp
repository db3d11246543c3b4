#include "app/PlayNowPanel.h"

#include "app/Controls.h"
#include "engine/Controller.h"
#include "engine/Texts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
using ButtonDesign = PlayNowPanel::ButtonDesign;

std::vector<ButtonDesign> soundButtons()
{
    return {
        {"Command6", Texts::AnthemCaption, QStringLiteral("İstiklal Marşı"),
         [](Controller& c) { c.ceremony.Command6_Click(); }},
        {"Command26", Texts::AnthemSpeechCaption,
         QStringLiteral("İstiklal Marşın dan sonra amfinin otomatik kapatılmasını istemiyorsanız bu butona "
                        "tıklayınız"),
         [](Controller& c) { c.ceremony.Command26_Click(); }},
        {"Command7", Texts::SilenceAnthem1Caption, QString(),
         [](Controller& c) { c.ceremony.Command7_Click(); }},
        {"Command8", Texts::SilenceAnthem2Caption, QStringLiteral("10 Kasım"),
         [](Controller& c) { c.ceremony.Command8_Click(); }},
        {"Command20", Texts::SilenceCaption, QString(),
         [](Controller& c) { c.ceremony.Command20_Click(); }},
        {"Command10", QStringLiteral("Giriş Zili"), QString(),
         [](Controller& c) { c.ceremony.Command10_Click(); }},
        {"Command11", QStringLiteral("Çıkış Zili"), QString(),
         [](Controller& c) { c.ceremony.Command11_Click(); }},
        {"Command9", Texts::SirenCaption, QString(),
         [](Controller& c) { c.ceremony.Command9_Click(); }},
        {"Command13", QStringLiteral("Ses Yayınını Durdur"),
         QStringLiteral("Çalmakta olan seslerin tamamını durdurmak için tıklayınız."),
         [](Controller& c) { c.ceremony.Command13_Click(); }},
    };
}

std::vector<ButtonDesign> commandButtons()
{
    return {
        {"Commandac", QStringLiteral("Zilleri aç"), QString(),
         [](Controller& c) { c.commands.Commandac_Click(); }},
        {"Command12", QStringLiteral("Etkinlik için zilleri kapat"),
         QStringLiteral(
             "Kutlama, tören.. vs. gibi etkinlikler esnasında zilin çalmasını istemiyorsanız buraya "
             "tıklayınız."),
         [](Controller& c) { c.commands.Command12_Click(); }},
        {"Command2", QStringLiteral("Tepsiye Küçült"),
         QStringLiteral(
             "programı görev çubuğuna taşır, menüyü açmak isterseniz saat simgesine sağ tıklayın."),
         [](Controller& c) { c.tray.Command2_Click(); }},
        {"Command18", QStringLiteral("Programı Kapat"), QString(),
         [](Controller& c) { c.commands.Command18_Click(); }},
    };
}
} // namespace

PlayNowPanel::PlayNowPanel(Controller& c, QWidget* parent) : QWidget(parent), m_c(c)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(makeSoundButtons(), 1);
    layout->addSpacing(4);
    layout->addWidget(makeCommandButtons());
    layout->addStretch();
}

QWidget* PlayNowPanel::makeSoundButtons()
{
    QGroupBox* frame2 = Controls::group(this, QStringLiteral("Frame2"), QStringLiteral("Hemen Çal"));
    addButtons(frame2, soundButtons());
    return frame2;
}

QWidget* PlayNowPanel::makeCommandButtons()
{
    auto* box = new QWidget(this);
    addButtons(box, commandButtons())->setContentsMargins(0, 0, 0, 0);
    return box;
}

QGridLayout* PlayNowPanel::addButtons(QWidget* parent, const std::vector<ButtonDesign>& designs)
{
    auto* grid = new QGridLayout(parent);
    grid->setSpacing(4);
    for (int i = 0; i < static_cast<int>(designs.size()); ++i) {
        const ButtonDesign& d = designs[i];
        QPushButton* b = Controls::button(parent, QString::fromLatin1(d.name), d.caption, d.toolTip);
        // Taller buttons where there is room: these are pressed in a hurry.
        const int line = b->fontMetrics().height();
        b->setMinimumHeight(line * 2 - 2);
        b->setMaximumHeight(line * 3);
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        Controls::onClick(b, m_c, [this, click = d.click] { click(m_c); });
        // One column: the captions are long, and the window's width goes to the timetable and settings.
        grid->addWidget(b, i, 0);
    }
    return grid;
}
