#include "app/MelodyMusicPanel.h"

#include "app/BreakProgramPanel.h"
#include "app/Controls.h"
#include "app/MelodyBoxGroup.h"
#include "app/WidgetSync.h"
#include "engine/Controller.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace {
const QString BreakMusicTip = QStringLiteral(
    "Tenefüs süresince müzik listesine eklediğiniz mp3 dosyalarının çalmasını istiyorsanız işaretleyiniz, "
    "yayın yapılacak tenefüsleri  \"Saatler\" bölümünden seçiniz");

std::vector<MelodyBoxGroup::Design> melodyDesigns()
{
    return {
        {MelodyBox::Student, QStringLiteral("Frame7"), QStringLiteral("Öğrenci Zili"),
         QStringLiteral("Combo3_0"), QStringLiteral("Command15"), QStringLiteral("Check1"),
         [](Controller& c) { c.melodies.Combo3_Change(0); },
         [](Controller& c) { c.melodies.Command15_Click(); }, &MainModel::check1},
        {MelodyBox::Teacher, QStringLiteral("Frame6"), QStringLiteral("Öğretmen Zili"),
         QStringLiteral("Combo2"), QStringLiteral("Command16"), QStringLiteral("Check2"),
         [](Controller& c) { c.melodies.Combo2_Change(); },
         [](Controller& c) { c.melodies.Command16_Click(); }, &MainModel::check2},
        {MelodyBox::Exit, QStringLiteral("Frame5"), QStringLiteral("Teneffüs"), QStringLiteral("Combo1"),
         QStringLiteral("Command17"), QString(), [](Controller& c) { c.melodies.Combo1_Change(); },
         [](Controller& c) { c.melodies.Command17_Click(); }},
        {MelodyBox::Assembly, QStringLiteral("Frame13"), QStringLiteral("Toplanma zili"),
         QStringLiteral("Combo3_1"), QStringLiteral("Command25"), QString(),
         [](Controller& c) { c.melodies.Combo3_Change(1); },
         [](Controller& c) { c.melodies.Command25_Click(); }},
    };
}
} // namespace

MelodyMusicPanel::MelodyMusicPanel(Controller& c, QWidget* parent)
    : QGroupBox(QStringLiteral("Zil Melodisi ve Müzik yayını"), parent), m_c(c)
{
    setObjectName(QStringLiteral("Frame8"));
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(6, 4, 6, 6);
    m_layout->setSpacing(4);
    m_layout->addLayout(makeMelodyBoxes());
    m_layout->addLayout(makeSwitchesAndVolume());
    m_layout->addLayout(makeMusicList(), 1);
    // A fixed width lets the break program's help texts wrap to a height known in advance.
    setFixedWidth(std::max(minimumSizeHint().width(), fontMetrics().averageCharWidth() * 80));
    refresh();
}

void MelodyMusicPanel::addBreakProgramPanel(BreakProgramPanel* panel)
{
    // Above the music list, which it hides or shows.
    m_layout->insertWidget(2, panel);
    const QMargins frame = contentsMargins();
    const QMargins inner = m_layout->contentsMargins();
    panel->fitTextsTo(width() - frame.left() - frame.right() - inner.left() - inner.right());
}

QLayout* MelodyMusicPanel::makeMelodyBoxes()
{
    auto* grid = new QGridLayout;
    int i = 0;
    for (MelodyBoxGroup::Design& design : melodyDesigns()) {
        auto* group = new MelodyBoxGroup(m_c, std::move(design), this);
        grid->addWidget(group, i / 2, i % 2, Qt::AlignTop);
        m_melodyBoxes.push_back(group);
        ++i;
    }
    return grid;
}

QCheckBox* MelodyMusicPanel::addSwitch(const QString& name, const QString& caption, bool MainModel::*value,
                                       const QString& toolTip)
{
    QCheckBox* box = Controls::checkBox(this, name, caption, toolTip);
    connect(box, &QCheckBox::clicked, this, [this, value](bool checked) {
        m_c.m.*value = checked;
        m_c.m.touch();
    });
    m_switches.emplace_back(box, value);
    return box;
}

QLayout* MelodyMusicPanel::makeSwitchesAndVolume()
{
    auto* switches = new QVBoxLayout;
    switches->setSpacing(2);
    switches->addWidget(
        addSwitch(QStringLiteral("Check3"), QStringLiteral("Haftasonu zil çalmasın"), &MainModel::check3));
    switches->addWidget(
        addSwitch(QStringLiteral("Check4"), QStringLiteral("Haftasonu programı kapat"), &MainModel::check4));
    switches->addWidget(addSwitch(QStringLiteral("Check5"), QStringLiteral("Tenefüste müzik çalsın"),
                                  &MainModel::check5, BreakMusicTip));
    switches->addStretch();

    auto* row = new QHBoxLayout;
    row->addLayout(switches);
    row->addStretch();
    row->addLayout(makeVolumeAndSave());
    return row;
}

QLayout* MelodyMusicPanel::makeMusicList()
{
    m_list1 = new QListWidget(this);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setMinimumHeight(fontMetrics().height() * 5);
    m_list1->setUniformItemSizes(true);
    // Folder and file name both matter to the operator; the middle of a long path matters least.
    m_list1->setTextElideMode(Qt::ElideMiddle);
    m_list1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(m_list1, &QListWidget::currentRowChanged, this, [this](int row) { m_c.m.musicListIndex = row; });

    m_command21 =
        Controls::button(this, QStringLiteral("Command21"), QStringLiteral("müzik yükle"),
                         QStringLiteral("Tenefüslerde yayınlanacak müzikleri seçmek için tıklayınız"));
    m_command23 =
        Controls::button(this, QStringLiteral("Command23"), QStringLiteral("Sil"),
                         QStringLiteral("Silmek istediğiniz müziği listeden seçtikten sonra tıklayınız."));
    Controls::onClick(m_command21, m_c, [this] { m_c.music.Command21_Click(); });
    Controls::onClick(m_command23, m_c, [this] { m_c.music.Command23_Click(); });

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_command21);
    buttons->addWidget(m_command23);
    buttons->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(m_list1, 1);
    row->addLayout(buttons);
    return row;
}

QLayout* MelodyMusicPanel::makeVolumeAndSave()
{
    QGroupBox* frame10 =
        Controls::group(this, QStringLiteral("Frame10"), QStringLiteral("Müzik sesi seviyesi"));
    QPushButton* command27 = Controls::button(frame10, QStringLiteral("Command27"), QStringLiteral("--"));
    QPushButton* command28 = Controls::button(frame10, QStringLiteral("Command28"), QStringLiteral("+"));
    m_label23 = Controls::label(frame10, QStringLiteral("Label23"), QStringLiteral("100"));
    m_label23->setAlignment(Qt::AlignCenter);
    m_label23->setFixedWidth(m_label23->fontMetrics().horizontalAdvance(QStringLiteral("1000")));
    for (QPushButton* b : {command27, command28})
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("----")) + 16);
    Controls::onClick(command27, m_c, [this] { m_c.music.Command27_Click(); });
    Controls::onClick(command28, m_c, [this] { m_c.music.Command28_Click(); });
    auto* volume = new QHBoxLayout(frame10);
    volume->setContentsMargins(6, 2, 6, 4);
    volume->addWidget(command27);
    volume->addWidget(m_label23);
    volume->addWidget(command28);

    QPushButton* command22 = Controls::button(this, QStringLiteral("Command22"), QStringLiteral("Müzik"),
                                              QStringLiteral("Rastgele bir müzik çalmak için tıklayınız."));
    QPushButton* command14 = Controls::button(this, QStringLiteral("Command14"), QStringLiteral("Kaydet"));
    Controls::onClick(command22, m_c, [this] { m_c.music.Command22_Click(); });
    Controls::onClick(command14, m_c, [this] { m_c.commands.Command14_Click(); });

    // The volume, with the buttons that play a track now and store every setting of this frame.
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(command22);
    buttons->addStretch();
    buttons->addWidget(command14);
    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    column->addWidget(frame10);
    column->addLayout(buttons);
    return column;
}

void MelodyMusicPanel::refresh()
{
    const MainModel& m = m_c.m;
    for (MelodyBoxGroup* group : m_melodyBoxes)
        group->refresh();
    for (const auto& [box, value] : m_switches)
        WidgetSync::setChecked(box, m.*value);
    refreshMusicList();
    WidgetSync::setText(m_label23, m.label23Caption);
    // In program mode the breaks run the chosen program, so the music list is put away.
    const bool musicShown = !m.programControlsShown;
    WidgetSync::setShown(m_list1, musicShown);
    WidgetSync::setShown(m_command21, musicShown);
    WidgetSync::setShown(m_command23, musicShown);
}

void MelodyMusicPanel::refreshMusicList()
{
    const MainModel& m = m_c.m;
    const QSignalBlocker blocker(m_list1);
    if (m_shownList != m.musicList) {
        m_list1->clear();
        m_list1->addItems(m.musicList);
        for (int row = 0; row < m_list1->count(); ++row)
            m_list1->item(row)->setToolTip(m.musicList.at(row));
        m_shownList = m.musicList;
    }
    if (m_list1->currentRow() != m.musicListIndex)
        m_list1->setCurrentRow(m.musicListIndex);
}
