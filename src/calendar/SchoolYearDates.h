#pragma once

#include "calendar/CalendarEntry.h"

#include <QList>

// The five ranges the Ministry (MEB) publishes for a school year: the two terms and the breaks between
// and within them. The "Eğitim yılı" dialog enters them in one go.
struct SchoolYearDates
{
    QDate firstTermStart, firstTermEnd;     // 1. dönem
    QDate firstBreakStart, firstBreakEnd;   // 1. dönem ara tatili
    QDate semesterStart, semesterEnd;       // yarıyıl tatili
    QDate secondTermStart, secondTermEnd;   // 2. dönem
    QDate secondBreakStart, secondBreakEnd; // 2. dönem ara tatili

    // Why the dates do not make a school year, for the operator; empty when they do.
    QString problem() const;

    // Two EGITIM-YILI entries (the terms) and three TATIL entries (the breaks), all days inclusive.
    // Their UIDs are made from the year the school year begins, so entering the same year again
    // replaces its entries instead of adding a second set.
    QList<CalendarEntry> entries() const;
};
