#include "calendar/DayTypeGenerator.h"

namespace {
const QString Empty = QStringLiteral("XX:XX");

QString recipeProblem(const DayTypeRecipe& r)
{
    if (!r.firstLesson.isValid())
        return QStringLiteral("İlk dersin başlangıç saati geçersiz.");
    if (r.lessons < 1 || r.lessons > Slots::Lessons)
        return QStringLiteral("Ders sayısı 1 ile %1 arasında olmalı.").arg(Slots::Lessons);
    if (r.lessonMinutes < 1 || r.lessonMinutes > 180)
        return QStringLiteral("Ders süresi 1 ile 180 dakika arasında olmalı.");
    if (r.studentLeadMinutes < 0 || r.studentLeadMinutes > 30)
        return QStringLiteral("Öğrenci zili öğretmen zilinden 0 ile 30 dakika önce çalabilir.");
    // The student bell of the next lesson must come after the exit bell of the one before.
    if (r.lessons > 1 && (r.breakMinutes <= r.studentLeadMinutes || r.breakMinutes > 180))
        return QStringLiteral("Teneffüs, öğrenci zilinin öğretmen zilinden önceki süresinden uzun ve en çok "
                              "180 dakika olmalı.");
    if (r.lunchAfter != 0) {
        if (r.lunchAfter < 1 || r.lunchAfter >= r.lessons)
            return QStringLiteral("Öğle arası ilk ders ile son ders arasında bir dersten sonra olmalı.");
        if (r.lunchMinutes <= r.studentLeadMinutes || r.lunchMinutes > 300)
            return QStringLiteral(
                "Öğle arası, öğrenci zilinin öğretmen zilinden önceki süresinden uzun ve en "
                "çok 300 dakika olmalı.");
    }
    return QString();
}

QString hhmm(int minuteOfDay)
{
    return QTime(minuteOfDay / 60, minuteOfDay % 60).toString(QStringLiteral("HH:mm"));
}
} // namespace

GeneratedDay generateDayType(const DayTypeRecipe& r)
{
    if (const QString problem = recipeProblem(r); !problem.isEmpty())
        return {std::nullopt, problem};
    DaySchedule slots;
    slots.fill(Empty);
    int start = r.firstLesson.hour() * 60 + r.firstLesson.minute();
    if (start - r.studentLeadMinutes < 0)
        return {std::nullopt, QStringLiteral("İlk öğrenci zili gece yarısından önceye düşüyor.")};
    for (int lesson = 1; lesson <= r.lessons; ++lesson) {
        const int exit = start + r.lessonMinutes;
        // No bell crosses midnight: the grid is one day's.
        if (exit >= 24 * 60)
            return {std::nullopt,
                    QStringLiteral("%1. dersin çıkışı gece yarısını geçiyor: ders sayısını ya da süreleri "
                                   "azaltın.")
                        .arg(lesson)};
        if (r.studentLeadMinutes > 0)
            slots[Slots::lessonSlot(lesson, Slots::Column::Student)] = hhmm(start - r.studentLeadMinutes);
        slots[Slots::lessonSlot(lesson, Slots::Column::Teacher)] = hhmm(start);
        slots[Slots::lessonSlot(lesson, Slots::Column::Exit)] = hhmm(exit);
        start = exit + (lesson == r.lunchAfter ? r.lunchMinutes : r.breakMinutes);
    }
    return {slots, QString()};
}
