#include "editor/Form2.h"

#include "editor/DayList.h"
#include "editor/EditorFrame.h"
#include "editor/EditorGeometry.h"
#include "editor/TimeGrid.h"
#include "editor/WrappingButton.h"
#include "engine/Texts.h"
#include "schedule/DayFile.h"
#include "schedule/DayTable.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>

namespace {
// The left column, in window twips.
constexpr int ColumnLeft = 120, ColumnWidth = 2535, FrameHeight = 3135;
constexpr int ButtonLeft = 240, ButtonWidth = 2295, ButtonHeight = 615, SaveButtonHeight = 495;

struct ButtonPlace
{
    int command;
    int top;
};
// Top to bottom, as on screen; the save button heads the first frame.
constexpr ButtonPlace SaveFrameButtons[] = {{4, 3360}, {2, 4080}, {3, 4800}};
constexpr ButtonPlace ClearFrameButtons[] = {{5, 6240}, {6, 6960}, {7, 7680}, {8, 8400}};

const QString NoDaySelected = QStringLiteral("Gün seçiniz");
} // namespace

Form2::Form2(const ProgramFolder& folder, Dialogs& dialogs, double zoom, QWidget* parent)
    : QWidget(parent, Qt::Window), m_geometry(zoom), m_folder(folder), m_dialogs(dialogs.ownedBy(this))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Saatler"));
    setFont(m_geometry.controlFont());
    setFixedSize(m_geometry.px(EditorGeometry::Client.width()),
                 m_geometry.px(EditorGeometry::Client.height()));

    buildDayFrame();
    buildButtonFrames();
    m_grid = new TimeGrid(m_geometry, this);
    setKeyboardOrder();
    Form_Load();
}

QLineEdit* Form2::field(int slot) const
{
    return m_grid->field(slot);
}

QString Form2::selectedDay() const
{
    const QList<QListWidgetItem*> selected = m_list1->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

DaySchedule Form2::fields() const
{
    return m_grid->values();
}

void Form2::Form_Load()
{
    // Selecting by program loads the day just as the operator's click does.
    m_list1->setCurrentRow(0);
}

void Form2::List1_Click()
{
    const QString day = selectedDay();
    if (day.isEmpty())
        return;
    // Fields the file has no line for keep what they show, so a cleared day keeps lessons 16 and 17.
    DaySchedule values = m_grid->values();
    readDayFile(m_folder, day, values);
    m_grid->setValues(values);
}

void Form2::Command1_Click()
{
    const QString day = selectedDay();
    if (day.isEmpty()) {
        tellNoDaySelected();
        return;
    }
    if (!writeDayFile(m_folder, day, m_grid->values()))
        reportNotWritten(BulkOperations::Action::Write, {day});
}

void Form2::runBulk(const BulkOperations::Operation& operation)
{
    if (!m_dialogs->askYesNo(operation.question))
        return;
    const QString day = selectedDay();
    if (operation.needsSelection && day.isEmpty()) {
        tellNoDaySelected();
        return;
    }
    const QStringList days = BulkOperations::daysOf(operation.group, day);
    const QStringList failed = BulkOperations::apply(operation.action, days, m_folder, m_grid->values());
    // A clear shows its result at once; an assign leaves the fields as they are.
    if (operation.action == BulkOperations::Action::Clear)
        List1_Click();
    if (!failed.isEmpty())
        reportNotWritten(operation.action, failed);
}

void Form2::buildDayFrame()
{
    auto* frame =
        new EditorFrame(QStringLiteral("Frame4"), QStringLiteral("Günler"),
                        m_geometry.rect(ColumnLeft, 120, ColumnWidth, 2175), m_geometry.frameFont(), this);
    m_list1 = new DayList(frame);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setFont(m_geometry.frameFont());
    m_list1->setGeometry(m_geometry.rect(240, 480, 2295, 1740, QPoint(ColumnLeft, 120)));
    m_list1->addItems(DayTable::names());
    // Seven rows exactly fill the list, as they should, without a scroll bar.
    const int rowHeight = (m_list1->height() - 2 * m_list1->frameWidth()) / DayTable::Count;
    for (int row = 0; row < m_list1->count(); ++row)
        m_list1->item(row)->setSizeHint(QSize(0, rowHeight));
    connect(m_list1, &QListWidget::itemSelectionChanged, this, &Form2::List1_Click);
}

void Form2::buildButtonFrames()
{
    constexpr int SaveFrameTop = 2400, ClearFrameTop = 6000;
    QGroupBox* saveFrame =
        buildButtonFrame(QStringLiteral("Frame1"), QStringLiteral("Kayıt işlemleri"), SaveFrameTop);
    QAbstractButton* save =
        addCommand(saveFrame, SaveFrameTop, 1, QStringLiteral("Seçili günü Kaydet"), 2760, SaveButtonHeight);
    connect(save, &QAbstractButton::clicked, this, &Form2::Command1_Click);
    for (const ButtonPlace& place : SaveFrameButtons)
        addBulkCommand(saveFrame, SaveFrameTop, place.command, place.top);
    QGroupBox* clearFrame =
        buildButtonFrame(QStringLiteral("Frame2"), QStringLiteral("Silme işlemleri"), ClearFrameTop);
    for (const ButtonPlace& place : ClearFrameButtons)
        addBulkCommand(clearFrame, ClearFrameTop, place.command, place.top);
}

QGroupBox* Form2::buildButtonFrame(const QString& name, const QString& caption, int top)
{
    return new EditorFrame(name, caption, m_geometry.rect(ColumnLeft, top, ColumnWidth, FrameHeight),
                           m_geometry.frameFont(), this);
}

void Form2::addBulkCommand(QGroupBox* frame, int frameTop, int number, int top)
{
    const BulkOperations::Operation& operation = BulkOperations::byCommand(number);
    QAbstractButton* button = addCommand(frame, frameTop, number, operation.caption, top, ButtonHeight);
    connect(button, &QAbstractButton::clicked, this, [this, &operation] { runBulk(operation); });
}

QAbstractButton* Form2::addCommand(QGroupBox* frame, int frameTop, int number, const QString& caption,
                                   int top, int height)
{
    auto* button = new WrappingButton(caption, frame);
    button->setObjectName(QStringLiteral("Command%1").arg(number));
    button->setFont(m_geometry.controlFont());
    button->setAutoDefault(false);
    button->setGeometry(m_geometry.rect(ButtonLeft, top, ButtonWidth, height, QPoint(ColumnLeft, frameTop)));
    m_commands[number] = button;
    return button;
}

void Form2::setKeyboardOrder()
{
    QList<QWidget*> order{m_list1, field(Slots::Assembly1), field(Slots::Assembly2)};
    for (int slot = 0; slot < Slots::lessonSlot(15, Slots::Column::Student); ++slot)
        order << field(slot);
    for (int number : {1, 4, 2, 3, 5, 6, 7, 8})
        order << m_commands[number];
    for (int slot = Slots::lessonSlot(15, Slots::Column::Student); slot < Slots::Lessons * 3; ++slot)
        order << field(slot);
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void Form2::tellNoDaySelected()
{
    m_dialogs->tell(NoDaySelected, Texts::AppTitle);
}

void Form2::reportNotWritten(BulkOperations::Action action, const QStringList& days)
{
    m_dialogs->tell(BulkOperations::failureMessage(action, days), Texts::AppTitle);
}
