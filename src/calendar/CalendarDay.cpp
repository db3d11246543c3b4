#include "calendar/CalendarDay.h"

#include <algorithm>

const TimedSilence* CalendarDay::silenceAt(const QString& minute) const
{
    if (silences.isEmpty())
        return nullptr;
    const QTime t = QTime::fromString(minute, QStringLiteral("HH:mm"));
    if (!t.isValid())
        return nullptr;
    const int second = t.msecsSinceStartOfDay() / 1000;
    for (const TimedSilence& s : silences) {
        if (second >= s.from && second < s.to)
            return &s;
    }
    return nullptr;
}

DayKind CalendarDay::kind() const
{
    DayKind strongest = DayKind::Weekly;
    for (const AppliedRule& r : rules) {
        DayKind k = DayKind::Weekly;
        switch (r.rule) {
        case DayRule::Holiday:
            k = DayKind::Holiday;
            break;
        case DayRule::OutsideSchoolYear:
            k = DayKind::OutsideSchoolYear;
            break;
        case DayRule::HalfDay:
        case DayRule::TimedHoliday:
            k = DayKind::HalfDay;
            break;
        case DayRule::DayType:
            k = DayKind::DayType;
            break;
        case DayRule::SchoolDay:
            k = DayKind::SchoolDay;
            break;
        case DayRule::Ceremony:
            break;
        }
        strongest = std::max(strongest, k);
    }
    return strongest;
}

namespace CalendarRuleWords {
QString word(DayRule rule)
{
    switch (rule) {
    case DayRule::SchoolDay:
        return QStringLiteral("okul-gunu");
    case DayRule::Holiday:
        return QStringLiteral("tatil");
    case DayRule::OutsideSchoolYear:
        return QStringLiteral("egitim-yili-disi");
    case DayRule::DayType:
        return QStringLiteral("gun-turu");
    case DayRule::HalfDay:
        return QStringLiteral("yarim-gun");
    case DayRule::TimedHoliday:
        return QStringLiteral("saatli-tatil");
    case DayRule::Ceremony:
        break;
    }
    return QStringLiteral("toren");
}
} // namespace CalendarRuleWords
