#include "app/CalendarEntryList.h"

#include "app/CalendarWords.h"
#include "app/SchoolYearView.h"

#include <algorithm>

namespace {
constexpr int UidRole = Qt::UserRole;
constexpr int FirstDayRole = Qt::UserRole + 1;

// The entry's mark in the colours of the days it decides.
QPixmap markOf(const CalendarEntry& e, int side)
{
    switch (e.kind) {
    case EntryKind::Holiday:
        return SchoolYearView::mark(side, SchoolYearView::colour(e.allDay ? DayKind::Holiday : DayKind::HalfDay));
    case EntryKind::DayType:
        return SchoolYearView::mark(side, SchoolYearView::colour(DayKind::DayType));
    case EntryKind::SchoolDay:
        return SchoolYearView::mark(side, SchoolYearView::colour(DayKind::SchoolDay));
    case EntryKind::Ceremony:
        return SchoolYearView::mark(side, QColor(), true);
    case EntryKind::SchoolYear:
    case EntryKind::Other:
        break;
    }
    return SchoolYearView::mark(side, QColor());
}
} // namespace

CalendarEntryList::CalendarEntryList(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("calendarEntries"));
    // One column of two lines an entry, its name over its kind and dates: narrow enough to stand
    // beside the year.
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTextElideMode(Qt::ElideRight);
    const int side = fontMetrics().height();
    setIconSize(QSize(side, side));
}

void CalendarEntryList::showEntries(const QList<CalendarEntry>& entries)
{
    const QString selected = selectedUid();
    QList<const CalendarEntry*> sorted;
    for (const CalendarEntry& e : entries)
        sorted << &e;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const CalendarEntry* a, const CalendarEntry* b) { return a->start < b->start; });
    clear();
    for (const CalendarEntry* e : sorted) {
        const QString details = CalendarWords::entryKind(*e) + QStringLiteral(" · ") + CalendarWords::entryDates(*e);
        auto* item = new QTreeWidgetItem(this, {e->summary + QLatin1Char('\n') + details});
        item->setData(0, UidRole, e->uid);
        item->setData(0, FirstDayRole, e->firstDay());
        item->setIcon(0, markOf(*e, iconSize().height()));
        QString tip = e->summary + QLatin1Char('\n') + details;
        if (!e->problem.isEmpty()) {
            tip += QStringLiteral("\nUygulanmıyor: ") + e->problem;
            item->setForeground(0, QColor(176, 0, 0));
        }
        item->setToolTip(0, tip);
    }
    selectUid(selected);
}

QString CalendarEntryList::selectedUid() const
{
    const QTreeWidgetItem* item = currentItem();
    return item && item->isSelected() ? item->data(0, UidRole).toString() : QString();
}

void CalendarEntryList::selectUid(const QString& uid)
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = topLevelItem(i);
        if (!uid.isEmpty() && item->data(0, UidRole).toString() == uid) {
            setCurrentItem(item);
            scrollToItem(item);
            return;
        }
    }
    clearSelection();
}

QDate CalendarEntryList::firstDayOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, FirstDayRole).toDate() : QDate();
}
