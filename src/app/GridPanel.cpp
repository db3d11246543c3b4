#include "app/GridPanel.h"

#include "app/Controls.h"
#include "app/WidgetSync.h"
#include "engine/Controller.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString TimeBoxTip = QStringLiteral("Değiştirmek için \"Saatleri ayarla\" butonuna basınız.");
const QString MusicBoxTip = QStringLiteral("Bu ders çıkışında müzik yayını istiyorsanız işaretleyiniz");
constexpr int FirstLessonRow = 2;
} // namespace

GridPanel::GridPanel(Controller& c, std::function<void()> openEditor, QWidget* parent)
    : QFrame(parent), m_c(c)
{
    setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    grid->setHorizontalSpacing(6);
    addHeadings(grid);
    for (int lesson = 1; lesson <= Slots::Lessons; ++lesson)
        addLessonRow(grid, lesson);
    addAssemblyRow(grid, FirstLessonRow + Slots::Lessons);

    QPushButton* command29 =
        Controls::button(this, QStringLiteral("Command29"), QStringLiteral("Saatleri ayarla"),
                         QStringLiteral("Zil çalma saatlerini ayarlamak için tıklayınız."));
    connect(command29, &QPushButton::clicked, this, [openEditor = std::move(openEditor)] {
        if (openEditor)
            openEditor();
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(command29);
    refresh();
}

QString GridPanel::lessonLabelName(int lesson)
{
    if (lesson <= 8)
        return QStringLiteral("Label8_%1").arg(lesson - 1);
    if (lesson <= 13)
        return QStringLiteral("Label%1").arg(lesson + 2); // Label11 ... Label15
    return QStringLiteral("Label16_%1").arg(lesson - 14);
}

void GridPanel::addHeadings(QGridLayout* grid)
{
    QLabel* label6 = Controls::label(this, QStringLiteral("Label6"), QStringLiteral("Bugüne ait saatler"));
    QFont heading = label6->font();
    heading.setBold(true);
    label6->setFont(heading);
    grid->addWidget(label6, 0, 0, 1, 5, Qt::AlignHCenter);

    // One caption over the three columns, spaced to stand above them.
    QLabel* label3 =
        Controls::label(this, QStringLiteral("Label3"), QStringLiteral("Öğrenci     Öğretmen       Çıkış"));
    grid->addWidget(label3, 1, 1, 1, 3, Qt::AlignHCenter);
    grid->addWidget(Controls::label(this, QStringLiteral("Label24"), QStringLiteral("Müzik")), 1, 4,
                    Qt::AlignHCenter);
}

QLineEdit* GridPanel::addTimeBox(QGridLayout* grid, int slot, int row, int column)
{
    QLineEdit* box = Controls::timeDisplay(this, Slots::mainFieldName(slot), TimeBoxTip);
    grid->addWidget(box, row, column);
    m_boxes[slot] = box;
    return box;
}

void GridPanel::addLessonRow(QGridLayout* grid, int lesson)
{
    const int row = FirstLessonRow + lesson - 1;
    grid->addWidget(Controls::label(this, lessonLabelName(lesson), QStringLiteral("%1.Ders").arg(lesson)),
                    row, 0);
    for (int column = 0; column < 3; ++column)
        addTimeBox(grid, Slots::lessonSlot(lesson, static_cast<Slots::Column>(column)), row, column + 1);

    QCheckBox* music = Controls::checkBox(this, lessonMusicBoxName(lesson), QString(), MusicBoxTip);
    grid->addWidget(music, row, 4, Qt::AlignHCenter);
    m_music[lesson - 1] = music;
    connect(music, &QCheckBox::clicked, this, [this, lesson](bool checked) {
        m_c.m.lessonMusic[lesson - 1] = checked;
        m_c.m.touch();
    });
}

void GridPanel::addAssemblyRow(QGridLayout* grid, int row)
{
    grid->addWidget(Controls::label(this, QStringLiteral("Label19"), QStringLiteral("Toplanma saatleri")),
                    row, 0, 1, 2);
    addTimeBox(grid, Slots::Assembly1, row, 2);
    addTimeBox(grid, Slots::Assembly2, row, 3);
}

void GridPanel::refresh()
{
    const MainModel& m = m_c.m;
    for (int slot = 0; slot < Slots::Count; ++slot)
        WidgetSync::setText(m_boxes[slot], m.grid[slot]);
    for (int i = 0; i < Slots::Lessons; ++i)
        WidgetSync::setChecked(m_music[i], m.lessonMusic[i]);
}
