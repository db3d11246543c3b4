#pragma once

#include "calendar/CalendarEntry.h"

#include <QTreeWidget>

// The school's own entries, in the order of their first day: name, kind and dates. An entry that
// decides nothing (a date that could not be read) is shown in red with the reason as its tooltip.
class CalendarEntryList : public QTreeWidget
{
    Q_OBJECT
public:
    explicit CalendarEntryList(QWidget* parent = nullptr);

    void showEntries(const QList<CalendarEntry>& entries);
    QString selectedUid() const;
    void selectUid(const QString& uid);
    // The first day of the entry an item shows.
    static QDate firstDayOf(const QTreeWidgetItem* item);
};
