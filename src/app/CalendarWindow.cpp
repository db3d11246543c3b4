#include "app/CalendarWindow.h"

#include "app/AppResources.h"
#include "app/CalendarEntryList.h"
#include "app/CalendarWords.h"
#include "app/SchoolYearView.h"
#include "app/UiScale.h"
#include "engine/Controller.h"
#include "schedule/DayTable.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
using NewEntry = CalendarActions::NewEntry;

const QString BrokenFileSave =
    QStringLiteral("Bu pencerede ilk kaydettiğinizde okunamayan dosya takvim.ics.bozuk adıyla saklanır ve "
                   "yerine yeni bir takvim.ics yazılır.");

} // namespace

CalendarWindow::CalendarWindow(Controller& c, double zoom, QWidget* parent)
    : QWidget(parent, Qt::Window), m_c(c), m_dialogs(c.d.dialogs.ownedBy(this)), m_actions(c, *m_dialogs)
{
    initAppResources();
    setObjectName(QStringLiteral("CalendarWindow"));
    setWindowTitle(QStringLiteral("Takvim"));
    setWindowIcon(QIcon(AppIconPath));
    setFont(UiScale::zoomed(font(), zoom));

    m_warnings = new QLabel(this);
    m_warnings->setObjectName(QStringLiteral("calendarWarnings"));
    m_warnings->setTextFormat(Qt::PlainText);
    m_warnings->setWordWrap(true);
    m_warnings->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    auto* columns = new QHBoxLayout;
    columns->addWidget(makeYearSide());
    columns->addWidget(makeEntrySide(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->addWidget(m_warnings);
    layout->addLayout(columns, 1);

    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    // A new day moves "today" and may bring the religious holidays' warning.
    connect(&c, &Controller::dayLoaded, this, &CalendarWindow::refresh);
    const QDate today = m_c.d.clock.now().date();
    m_view->setToday(today);
    m_view->setDays(SchoolYearView::schoolYearOf(today), {});
    refresh();
    resize(sizeHint());
}

CalendarWindow::~CalendarWindow() = default;

QPushButton* CalendarWindow::addButton(QWidget* parent, const char* name, const QString& caption,
                                       void (CalendarWindow::*slot)(), const QString& tip)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setToolTip(tip);
    if (slot)
        connect(b, &QPushButton::clicked, this, slot);
    return b;
}

QWidget* CalendarWindow::makeYearSide()
{
    auto* side = new QWidget(this);
    m_yearTitle = new QLabel(side);
    QFont bold = m_yearTitle->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    m_yearTitle->setFont(bold);
    QPushButton* previous = addButton(side, "calendarPreviousYear", QStringLiteral("◀"), nullptr,
                                      QStringLiteral("Önceki eğitim yılı"));
    QPushButton* next =
        addButton(side, "calendarNextYear", QStringLiteral("▶"), nullptr, QStringLiteral("Sonraki eğitim yılı"));
    QPushButton* today = addButton(side, "calendarToday", QStringLiteral("Bugün"), nullptr);
    for (QPushButton* arrow : {previous, next})
        arrow->setFixedWidth(arrow->fontMetrics().height() * 2 + 8);
    connect(previous, &QPushButton::clicked, this, [this] { showYear(m_view->year() - 1); });
    connect(next, &QPushButton::clicked, this, [this] { showYear(m_view->year() + 1); });
    connect(today, &QPushButton::clicked, this, [this] {
        const QDate date = m_c.d.clock.now().date();
        showYear(SchoolYearView::schoolYearOf(date));
        m_view->select(date);
    });
    auto* nav = new QHBoxLayout;
    nav->addWidget(previous);
    nav->addWidget(m_yearTitle);
    nav->addWidget(next);
    nav->addStretch();
    nav->addWidget(today);

    m_view = new SchoolYearView(side);
    connect(m_view, &SchoolYearView::selectedChanged, this, &CalendarWindow::dayChosen);
    connect(m_view, &SchoolYearView::activated, this, &CalendarWindow::dayActivated);

    auto* dayBox = new QGroupBox(QStringLiteral("Seçili gün"), side);
    m_dayTitle = new QLabel(dayBox);
    m_dayTitle->setFont(bold);
    m_dayRules = new QTreeWidget(dayBox);
    m_dayRules->setObjectName(QStringLiteral("calendarDayRules"));
    m_dayRules->setHeaderLabels({QStringLiteral("Ne olur"), QStringLiteral("Kaynağı")});
    m_dayRules->setRootIsDecorated(false);
    m_dayRules->setSelectionMode(QAbstractItemView::NoSelection);
    m_dayRules->setFocusPolicy(Qt::NoFocus);
    m_dayRules->header()->setStretchLastSection(false);
    m_dayRules->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_dayRules->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_dayRules->setFixedHeight(m_dayRules->fontMetrics().height() * 6);
    auto* dayLayout = new QVBoxLayout(dayBox);
    dayLayout->addWidget(m_dayTitle);
    dayLayout->addWidget(m_dayRules);

    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(nav);
    layout->addWidget(m_view);
    layout->addWidget(makeLegend());
    layout->addWidget(dayBox, 1);
    return side;
}

QWidget* CalendarWindow::makeLegend()
{
    auto* legend = new QWidget(this);
    auto* grid = new QGridLayout(legend);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    const int side = fontMetrics().height();
    const struct
    {
        QColor fill;
        bool ceremony, today;
        QString text;
    } items[] = {
        {{}, false, false, CalendarWords::dayKindName(DayKind::Weekly)},
        {SchoolYearView::colour(DayKind::Holiday), false, false, CalendarWords::dayKindName(DayKind::Holiday)},
        {SchoolYearView::colour(DayKind::HalfDay), false, false, CalendarWords::dayKindName(DayKind::HalfDay)},
        {SchoolYearView::colour(DayKind::DayType), false, false, CalendarWords::dayKindName(DayKind::DayType)},
        {SchoolYearView::colour(DayKind::SchoolDay), false, false,
         CalendarWords::dayKindName(DayKind::SchoolDay)},
        {SchoolYearView::colour(DayKind::OutsideSchoolYear), false, false,
         CalendarWords::dayKindName(DayKind::OutsideSchoolYear)},
        {{}, true, false, QStringLiteral("Tören")},
        {{}, false, true, QStringLiteral("Bugün")},
    };
    int i = 0;
    for (const auto& item : items) {
        auto* mark = new QLabel(legend);
        mark->setPixmap(SchoolYearView::mark(side, item.fill, item.ceremony, item.today));
        auto* row = new QHBoxLayout;
        row->setSpacing(4);
        row->addWidget(mark);
        row->addWidget(new QLabel(item.text, legend), 1);
        grid->addLayout(row, i / 4, i % 4);
        ++i;
    }
    return legend;
}

QWidget* CalendarWindow::makeEntrySide()
{
    auto* side = new QGroupBox(QStringLiteral("Okulun takvimi"), this);
    m_entries = new CalendarEntryList(side);
    connect(m_entries, &QTreeWidget::itemClicked, this, &CalendarWindow::entryClicked);
    connect(m_entries, &QTreeWidget::itemDoubleClicked, this, &CalendarWindow::edit);

    QPushButton* add = addButton(side, "calendarAdd", QStringLiteral("Ekle"), nullptr,
                                 QStringLiteral("Seçili güne yeni bir kayıt ekler."));
    auto* kinds = new QMenu(add);
    const std::pair<NewEntry, QString> offered[] = {
        {NewEntry::Holiday, QStringLiteral("Tatil (bütün gün)…")},
        {NewEntry::HalfDay, QStringLiteral("Yarım gün ya da saatli tatil…")},
        {NewEntry::DayType, QStringLiteral("Gün türü…")},
        {NewEntry::SchoolDay, QStringLiteral("Okul günü (telafi günü)…")},
        {NewEntry::SchoolYear, QStringLiteral("Eğitim yılı aralığı…")},
        {NewEntry::Ceremony, QStringLiteral("Tören…")},
    };
    for (const auto& [kind, caption] : offered)
        connect(kinds->addAction(caption), &QAction::triggered, this, [this, kind = kind] { this->add(kind); });
    add->setMenu(kinds);
    auto* entryButtons = new QHBoxLayout;
    entryButtons->addWidget(add);
    entryButtons->addWidget(addButton(side, "calendarEdit", QStringLiteral("Değiştir…"), &CalendarWindow::edit));
    entryButtons->addWidget(addButton(side, "calendarRemove", QStringLiteral("Sil"), &CalendarWindow::remove));

    QPushButton* exportButton = addButton(side, "calendarExport", QStringLiteral("Dışa aktar"), nullptr);
    auto* exports = new QMenu(exportButton);
    connect(exports->addAction(QStringLiteral("Okulun takvimi…")), &QAction::triggered, this,
            [this] { m_actions.exportFile(false); });
    connect(exports->addAction(QStringLiteral("Okulun takvimi ve resmî tatiller…")), &QAction::triggered, this,
            [this] { m_actions.exportFile(true); });
    exportButton->setMenu(exports);
    auto* fileButtons = new QGridLayout;
    fileButtons->addWidget(addButton(side, "calendarSchoolYear", QStringLiteral("Eğitim yılı…"),
                                     &CalendarWindow::schoolYear,
                                     QStringLiteral("MEB'in çalışma takvimindeki iki dönemi ve üç tatili "
                                                    "bir defada girer.")),
                           0, 0);
    fileButtons->addWidget(addButton(side, "calendarDayTypes", QStringLiteral("Gün türleri…"),
                                     &CalendarWindow::dayTypes,
                                     QStringLiteral("Sınav günü, kış saatleri gibi özel günlerin saatleri.")),
                           0, 1);
    fileButtons->addWidget(addButton(side, "calendarImport", QStringLiteral("İçe aktar…"),
                                     &CalendarWindow::importFile,
                                     QStringLiteral("Bir .ics takvim dosyasındaki kayıtları bu takvime ekler.")),
                           1, 0);
    fileButtons->addWidget(exportButton, 1, 1);

    m_national = new QCheckBox(QStringLiteral("Resmî tatilleri uygula"), side);
    m_national->setObjectName(QStringLiteral("calendarNational"));
    m_national->setToolTip(QStringLiteral("Resmî tatiller, dinî bayramlar, yarım günler ve 10 Kasım töreni "
                                          "programla gelir; işaret kaldırılırsa uygulanmaz."));
    connect(m_national, &QCheckBox::clicked, this, &CalendarWindow::nationalSwitched);
    auto* closeRow = new QHBoxLayout;
    closeRow->addWidget(m_national);
    closeRow->addStretch();
    closeRow->addWidget(addButton(side, "calendarClose", QStringLiteral("Kapat"), nullptr));
    connect(side->findChild<QPushButton*>(QStringLiteral("calendarClose")), &QPushButton::clicked, this,
            &QWidget::close);

    auto* layout = new QVBoxLayout(side);
    layout->addWidget(m_entries, 1);
    layout->addLayout(entryButtons);
    layout->addLayout(fileButtons);
    layout->addLayout(closeRow);
    return side;
}

void CalendarWindow::refresh()
{
    const QSignalBlocker blocker(m_national);
    m_national->setChecked(m_c.calendarCommands.nationalApplies());
    m_view->setToday(m_c.d.clock.now().date());
    m_entries->showEntries(m_c.calendarCommands.schoolEntries());
    showYear(m_view->year());
    showWarnings();
}

void CalendarWindow::showYear(int year)
{
    QList<SchoolYearView::Day> days;
    for (QDate date(year, 9, 1); date <= QDate(year + 1, 8, 31); date = date.addDays(1)) {
        const CalendarDay d = m_c.calendarCommands.decide(date);
        days << SchoolYearView::Day{d.kind(), !d.ceremonies.isEmpty(), CalendarWords::dayTip(d)};
    }
    m_view->setDays(year, days);
    m_yearTitle->setText(QStringLiteral("%1–%2 eğitim yılı").arg(year).arg(year + 1));
    showDay();
}

void CalendarWindow::showDay()
{
    const QDate date = m_view->selected();
    const CalendarDay d = m_c.calendarCommands.decide(date);
    const bool today = date == m_c.d.clock.now().date();
    m_dayTitle->setText(CalendarWords::longDate(date) + (today ? QStringLiteral("  (bugün)") : QString()));
    m_dayRules->clear();
    for (const CalendarWords::RuleLine& line : CalendarWords::dayLines(d))
        new QTreeWidgetItem(m_dayRules, {line.text, line.source});
    // The weekend's own rule, which the calendar leaves to the main window's box.
    if (d.bells && !d.schoolDay && m_c.m.check3 && DayTable::isWeekend(DayTable::nameOf(date)))
        new QTreeWidgetItem(m_dayRules, {QStringLiteral("\"Haftasonu zil çalmasın\" işaretli: zil yok"), {}});
}

void CalendarWindow::showWarnings()
{
    QStringList lines;
    for (const CalendarNote& note : m_c.m.calendarNotes) {
        if (note.warning)
            lines << note.text;
    }
    if (!m_c.calendarCommands.schoolFileProblem().isEmpty())
        lines << BrokenFileSave;
    m_warnings->setText(lines.join(QLatin1Char('\n')));
    m_warnings->setVisible(!lines.isEmpty());
}

void CalendarWindow::dayChosen()
{
    showDay();
    const CalendarDay d = m_c.calendarCommands.decide(m_view->selected());
    for (const AppliedRule& r : d.rules) {
        for (const CalendarEntry& e : m_c.calendarCommands.schoolEntries()) {
            if (e.uid == r.uid) {
                m_entries->selectUid(r.uid);
                return;
            }
        }
    }
    m_entries->clearSelection();
}

void CalendarWindow::entryClicked()
{
    const QString uid = m_entries->selectedUid();
    const QDate first = CalendarEntryList::firstDayOf(m_entries->currentItem());
    if (!first.isValid())
        return;
    if (SchoolYearView::schoolYearOf(first) != m_view->year())
        showYear(SchoolYearView::schoolYearOf(first));
    m_view->select(first);
    showDay();
    // Choosing its day must not choose another entry of that day instead.
    m_entries->selectUid(uid);
}

void CalendarWindow::dayActivated(const QDate& date)
{
    m_view->select(date);
    if (!m_entries->selectedUid().isEmpty())
        edit();
}

void CalendarWindow::add(CalendarActions::NewEntry kind)
{
    changed(m_actions.addEntry(kind, m_view->selected()));
}

void CalendarWindow::edit()
{
    const QString uid = m_entries->selectedUid();
    if (uid.isEmpty()) {
        m_dialogs->tell(QStringLiteral("Değiştirmek istediğiniz kaydı listeden seçiniz."), QString());
        return;
    }
    changed(m_actions.editEntry(uid));
}

void CalendarWindow::remove()
{
    const QString uid = m_entries->selectedUid();
    if (uid.isEmpty()) {
        m_dialogs->tell(QStringLiteral("Silmek istediğiniz kaydı listeden seçiniz."), QString());
        return;
    }
    if (m_actions.removeEntry(uid))
        changed();
}

void CalendarWindow::schoolYear()
{
    if (m_actions.enterSchoolYear(m_view->year()))
        changed();
}

void CalendarWindow::dayTypes()
{
    m_actions.editDayTypes();
    changed();
}

void CalendarWindow::importFile()
{
    if (m_actions.importFile())
        changed();
}

void CalendarWindow::nationalSwitched(bool applies)
{
    m_actions.setNationalApplies(applies);
    changed();
}

void CalendarWindow::changed(const QString& uid)
{
    refresh();
    if (!uid.isEmpty())
        m_entries->selectUid(uid);
}
