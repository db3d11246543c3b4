#include "editor/TimeGrid.h"

#include "editor/EditorGeometry.h"

#include <QLabel>
#include <QLineEdit>

namespace {
// The frame's place in the window, in twips; every position below is given in window twips too.
constexpr int FrameLeft = 2760, FrameTop = 120, FrameWidth = 3135, FrameHeight = 9855;
constexpr int LabelLeft = 2850;
constexpr int FieldWidth = 615, FieldHeight = 375;
constexpr int ColumnLeft[3] = {3480, 4200, 4920}; // student, teacher, exit bell
constexpr int FirstRowTop = 1800, RowPitch = 480;
constexpr int AssemblyTop = 600, Assembly1Left = 4320, Assembly2Left = 5040;
// Lessons 15 to 17 take times of any length; the others hold one "hh:mm" time at most.
constexpr int LastShortLesson = 14;
constexpr int TimeLength = 5;
constexpr int Unlimited = 32767; // QLineEdit's own default

// Shown until a day file fills a field; a value that never rings.
const QString EmptySlot = QStringLiteral("XX:XX");

QString rowLabelName(int lesson)
{
    if (lesson <= 8)
        return QStringLiteral("Label8_%1").arg(lesson - 1); // the control array Label8(0..7)
    if (lesson <= 14)
        return QStringLiteral("Label%1").arg(lesson + 2); // Label11 .. Label16
    return QStringLiteral("Label%1").arg(lesson - 12);    // Label3 .. Label5
}

int rowTop(int lesson)
{
    return FirstRowTop + (lesson - 1) * RowPitch;
}
} // namespace

TimeGrid::TimeGrid(const EditorGeometry& geometry, QWidget* parent)
    : EditorFrame(QStringLiteral("Frame3"), QStringLiteral("Saatler"),
                  geometry.rect(FrameLeft, FrameTop, FrameWidth, FrameHeight), geometry.frameFont(), parent),
      m_geometry(geometry)
{
    addAssemblyRow();
    addLabel(QStringLiteral("Label2"), QStringLiteral("Öğrenci   Öğretmen     Çıkış"),
             QRect(ColumnLeft[0], 1500, 2400, 255));
    for (int lesson = 1; lesson <= Slots::Lessons; ++lesson)
        addLessonRow(lesson);
}

DaySchedule TimeGrid::values() const
{
    DaySchedule values;
    for (int slot = 0; slot < Slots::Count; ++slot)
        values[slot] = m_fields[slot]->text();
    return values;
}

void TimeGrid::setValues(const DaySchedule& values)
{
    for (int slot = 0; slot < Slots::Count; ++slot) {
        if (m_fields[slot]->text() != values[slot])
            m_fields[slot]->setText(values[slot]);
    }
}

void TimeGrid::addAssemblyRow()
{
    QLabel* label = addLabel(QStringLiteral("Label1"), QStringLiteral("Toplanma saatleri"),
                             QRect(LabelLeft, AssemblyTop, Assembly1Left - LabelLeft, FieldHeight));
    label->setWordWrap(true);
    addField(Slots::Assembly1, Assembly1Left, AssemblyTop, TimeLength);
    addField(Slots::Assembly2, Assembly2Left, AssemblyTop, TimeLength);
}

void TimeGrid::addLessonRow(int lesson)
{
    const int top = rowTop(lesson);
    addLabel(rowLabelName(lesson), QStringLiteral("%1.Ders").arg(lesson),
             QRect(LabelLeft, top, ColumnLeft[0] - LabelLeft, FieldHeight));
    const int maxLength = lesson <= LastShortLesson ? TimeLength : Unlimited;
    for (int column = 0; column < 3; ++column)
        addField(Slots::lessonSlot(lesson, Slots::Column(column)), ColumnLeft[column], top, maxLength);
}

QLabel* TimeGrid::addLabel(const QString& name, const QString& text, const QRect& twips)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setFont(m_geometry.controlFont());
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(
        m_geometry.rect(twips.x(), twips.y(), twips.width(), twips.height(), QPoint(FrameLeft, FrameTop)));
    return label;
}

void TimeGrid::addField(int slot, int left, int top, int maxLength)
{
    auto* field = new QLineEdit(EmptySlot, this);
    field->setObjectName(Slots::editorFieldName(slot));
    field->setFont(m_geometry.controlFont());
    field->setMaxLength(maxLength);
    field->setGeometry(m_geometry.rect(left, top, FieldWidth, FieldHeight, QPoint(FrameLeft, FrameTop)));
    m_fields[slot] = field;
}
