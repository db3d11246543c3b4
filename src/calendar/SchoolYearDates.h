#pragma once

#include "calendar/CalendarEntry.h"

#include <QList>

#include <optional>

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

    // The school year beginning in `year` as it was entered, when all five of its entries are there.
    static std::optional<SchoolYearDates> entered(int year, const QList<CalendarEntry>& entries);
    // The pattern of MEB's recent years, for the operator to correct from the year's official calendar:
    // the first term from the second Monday of September to the third Friday of January, its break in
    // the week of the second Monday of November, two weeks of semester break, the second term to the
    // third Friday of June, its break in the week of the second Monday of April.
    static SchoolYearDates typical(int year);
};
