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

#include <algorithm>

namespace {
const QString TimeBoxTip = QStringLiteral("Değiştirmek için \"Saatleri ayarla\" butonuna basınız.");
const QString MusicBoxTip = QStringLiteral("Bu ders çıkışında müzik yayını istiyorsanız işaretleyiniz");
const QString ColumnHeading = QStringLiteral("Öğrenci     Öğretmen       Çıkış");
constexpr int FirstLessonRow = 2;
// Grid columns: the row label, a gap, the three time columns with a gap after the first two, music.
constexpr int LeadColumn = 1;
constexpr int TimeColumn[3] = {2, 4, 6};
constexpr int MusicColumn = 7;
constexpr int MinimumGap = 4;

// The centres of the heading's three words, measured from the start of the heading.
std::array<int, 3> wordCentres(const QFontMetrics& metrics)
{
    const QStringList words = ColumnHeading.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::array<int, 3> centres{};
    int from = 0;
    for (int i = 0; i < 3; ++i) {
        const int start = ColumnHeading.indexOf(words[i], from);
        centres[i] =
            metrics.horizontalAdvance(ColumnHeading.left(start)) + metrics.horizontalAdvance(words[i]) / 2;
        from = start + words[i].size();
    }
    return centres;
}
} // namespace

GridPanel::GridPanel(Controller& c, std::function<void()> openEditor, QWidget* parent)
    : QFrame(parent), m_c(c)
{
    setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    // The gaps between the columns are columns of their own, sized to the heading's words.
    grid->setHorizontalSpacing(0);
    QLabel* heading = addHeadings(grid);
    for (int lesson = 1; lesson <= Slots::Lessons; ++lesson)
        addLessonRow(grid, lesson);
    addAssemblyRow(grid, FirstLessonRow + Slots::Lessons);
    alignColumnsUnder(grid, heading);

    QPushButton* command29 =
        Controls::button(this, QStringLiteral("Command29"), QStringLiteral("Saatleri ayarla"),
                         QStringLiteral("Zil çalma saatlerini ayarlamak için tıklayınız."));
    connect(command29, &QPushButton::clicked, this, [openEditor = std::move(openEditor)] {
        if (openEditor)
            openEditor();
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    // A taller window spreads the rows apart instead of leaving a gap under them: each row holds an
    // item that may grow, since the time boxes themselves keep their height.
    for (int row = FirstLessonRow; row <= FirstLessonRow + Slots::Lessons; ++row) {
        grid->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), row,
                      MusicColumn + 1);
        grid->setRowStretch(row, 1);
    }
    layout->addLayout(grid, 1);
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

QLabel* GridPanel::addHeadings(QGridLayout* grid)
{
    QLabel* label6 = Controls::label(this, QStringLiteral("Label6"), QStringLiteral("Bugüne ait saatler"));
    QFont heading = label6->font();
    heading.setBold(true);
    label6->setFont(heading);
    grid->addWidget(label6, 0, 0, 1, MusicColumn + 1, Qt::AlignHCenter);

    // One caption over the three columns; the columns are spaced so that each word stands over its own.
    QLabel* label3 = Controls::label(this, QStringLiteral("Label3"), ColumnHeading);
    grid->addWidget(label3, 1, LeadColumn, 1, TimeColumn[2] - LeadColumn + 1, Qt::AlignLeft);
    grid->addWidget(Controls::label(this, QStringLiteral("Label24"), QStringLiteral("Müzik")), 1, MusicColumn,
                    Qt::AlignHCenter);
    return label3;
}

void GridPanel::alignColumnsUnder(QGridLayout* grid, QLabel* heading)
{
    const int box = m_boxes[0]->width();
    const std::array<int, 3> centre = wordCentres(heading->fontMetrics());
    // The first box starts far enough right for "Öğrenci" to stand over its centre.
    const int lead = std::max(MinimumGap, centre[0] - box / 2);
    grid->setColumnMinimumWidth(LeadColumn, lead);
    grid->setColumnMinimumWidth(TimeColumn[0] + 1, std::max(MinimumGap, centre[1] - centre[0] - box));
    grid->setColumnMinimumWidth(TimeColumn[1] + 1, std::max(MinimumGap, centre[2] - centre[1] - box));
    heading->setContentsMargins(lead + box / 2 - centre[0], 0, 0, 0);
    // Air between the exit column and "Müzik", whose column is as wide as its caption.
    grid->setColumnMinimumWidth(MusicColumn, grid->itemAtPosition(1, MusicColumn)->sizeHint().width() + 14);
    // Any width to spare goes after the columns, never between them.
    grid->setColumnStretch(MusicColumn + 1, 1);
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
        addTimeBox(grid, Slots::lessonSlot(lesson, static_cast<Slots::Column>(column)), row,
                   TimeColumn[column]);

    QCheckBox* music = Controls::checkBox(this, lessonMusicBoxName(lesson), QString(), MusicBoxTip);
    grid->addWidget(music, row, MusicColumn, Qt::AlignHCenter);
    m_music[lesson - 1] = music;
    connect(music, &QCheckBox::clicked, this, [this, lesson](bool checked) {
        m_c.m.lessonMusic[lesson - 1] = checked;
        m_c.m.touch();
    });
}

void GridPanel::addAssemblyRow(QGridLayout* grid, int row)
{
    grid->addWidget(Controls::label(this, QStringLiteral("Label19"), QStringLiteral("Toplanma saatleri")),
                    row, 0, 1, TimeColumn[1]);
    addTimeBox(grid, Slots::Assembly1, row, TimeColumn[1]);
    addTimeBox(grid, Slots::Assembly2, row, TimeColumn[2]);
}

void GridPanel::markSilenced(int slot, const QString& reason)
{
    if (m_silenced[slot] == reason)
        return;
    m_silenced[slot] = reason;
    QLineEdit* box = m_boxes[slot];
    // Struck through on the colour of a holiday: the time stays as the timetable has it, but its bell
    // does not ring today.
    QFont font = box->font();
    font.setStrikeOut(!reason.isEmpty());
    box->setFont(font);
    QPalette palette = box->palette();
    const QPalette usual = this->palette();
    palette.setColor(QPalette::Base, reason.isEmpty() ? usual.color(QPalette::Base) : QColor(255, 205, 205));
    palette.setColor(QPalette::Text, reason.isEmpty() ? usual.color(QPalette::Text) : QColor(150, 0, 0));
    box->setPalette(palette);
    box->setToolTip(reason.isEmpty() ? TimeBoxTip
                                     : QStringLiteral("Bugün çalmaz: %1\n%2").arg(reason, TimeBoxTip));
}

void GridPanel::refresh()
{
    const MainModel& m = m_c.m;
    for (int slot = 0; slot < Slots::Count; ++slot) {
        WidgetSync::setText(m_boxes[slot], m.grid[slot]);
        markSilenced(slot, m.silencedSlots[slot]);
    }
    for (int i = 0; i < Slots::Lessons; ++i)
        WidgetSync::setChecked(m_music[i], m.lessonMusic[i]);
}
