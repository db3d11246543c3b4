#include "app/CalendarWords.h"

#include "calendar/CalendarTexts.h"
#include "engine/Texts.h"
#include "schedule/DayTable.h"

#include <QLocale>

namespace {
const QLocale Turkish(QLocale::Turkish, QLocale::Turkey);

QString day(const QDate& date)
{
    return Turkish.toString(date, QStringLiteral("d MMMM yyyy"));
}

QString hhmm(const QTime& time)
{
    return time.toString(QStringLiteral("HH:mm"));
}

// First and last day of an all-day range, shortened where they share the month or the year.
QString range(const QDate& first, const QDate& last)
{
    if (first == last)
        return day(first);
    if (first.year() != last.year())
        return day(first) + QStringLiteral(" – ") + day(last);
    if (first.month() != last.month())
        return Turkish.toString(first, QStringLiteral("d MMMM")) + QStringLiteral(" – ") + day(last);
    return QStringLiteral("%1–%2").arg(first.day()).arg(day(last));
}

QString timedRange(const CalendarEntry& e)
{
    if (e.kind == EntryKind::Ceremony || e.end <= e.start)
        return day(e.firstDay()) + QStringLiteral(", ") + hhmm(e.start.time());
    const bool toEndOfDay = e.end == QDateTime(e.start.date().addDays(1), QTime(0, 0));
    if (toEndOfDay)
        return day(e.firstDay()) + QStringLiteral(", ") + CalendarTexts::fromTime(e.start.time()) +
               QStringLiteral(" sonra");
    if (e.end.date() == e.start.date())
        return QStringLiteral("%1, %2–%3").arg(day(e.firstDay()), hhmm(e.start.time()), hhmm(e.end.time()));
    return QStringLiteral("%1 %2 – %3 %4")
        .arg(day(e.start.date()), hhmm(e.start.time()), day(e.end.date()), hhmm(e.end.time()));
}

QString ruleText(const AppliedRule& r, const CalendarDay& d, int& silence, int& ceremony)
{
    auto after = [&r](const QString& head) {
        return r.summary.isEmpty() || r.summary == r.name ? head : head + QStringLiteral(" (") + r.summary + ')';
    };
    switch (r.rule) {
    case DayRule::SchoolDay:
        return QStringLiteral("Okul günü: ") + r.summary +
               (d.dayType.isEmpty() ? QString() : QStringLiteral(", gün türü ") + d.dayType);
    case DayRule::Holiday:
        return QStringLiteral("Tatil, zil yok: ") + r.summary;
    case DayRule::OutsideSchoolYear:
        return QStringLiteral("Eğitim yılı dışında: zil yok");
    case DayRule::DayType:
        return after(QStringLiteral("Gün türü: ") + r.name);
    case DayRule::HalfDay:
        return after(QStringLiteral("Yarım gün: ") + CalendarTexts::silenceText(d.silences.value(silence++)));
    case DayRule::TimedHoliday:
        return after(CalendarTexts::silenceText(d.silences.value(silence++)));
    case DayRule::Ceremony: {
        const DayCeremony t = d.ceremonies.value(ceremony++);
        return QStringLiteral("%1 tören: %2 (%3)")
            .arg(CalendarTexts::atTime(t.time), r.summary, CalendarWords::soundCaption(t.sound));
    }
    }
    return r.summary;
}
} // namespace

namespace CalendarWords {

QString longDate(const QDate& date)
{
    return Turkish.toString(date, QStringLiteral("d MMMM yyyy dddd"));
}

QString entryDates(const CalendarEntry& e)
{
    if (!e.start.isValid())
        return QStringLiteral("tarih yok");
    QString text = e.allDay ? range(e.firstDay(), e.lastDay()) : timedRange(e);
    if (e.rrule.startsWith(QLatin1String("FREQ=YEARLY"), Qt::CaseInsensitive))
        text += QStringLiteral(" (her yıl)");
    else if (!e.rrule.isEmpty())
        text += QStringLiteral(" (tekrarlı)");
    return text;
}

QString entryKind(const CalendarEntry& e)
{
    switch (e.kind) {
    case EntryKind::Holiday:
        if (e.allDay)
            return QStringLiteral("Tatil");
        return e.end == QDateTime(e.start.date().addDays(1), QTime(0, 0)) ? QStringLiteral("Yarım gün")
                                                                          : QStringLiteral("Saatli tatil");
    case EntryKind::DayType:
        return QStringLiteral("Gün türü: ") + e.dayType;
    case EntryKind::SchoolDay:
        return e.dayType.isEmpty() ? QStringLiteral("Okul günü") : QStringLiteral("Okul günü: ") + e.dayType;
    case EntryKind::SchoolYear:
        return QStringLiteral("Eğitim yılı");
    case EntryKind::Ceremony:
        return QStringLiteral("Tören: ") + soundCaption(e.sound);
    case EntryKind::Other:
        break;
    }
    return QStringLiteral("Başka takvimden (uygulanmaz)");
}

QString soundCaption(const QString& sound)
{
    static const QHash<QString, QString> captions{
        {QStringLiteral("istiklal"), Texts::AnthemCaption},
        {QStringLiteral("istiklal-konusma"), Texts::AnthemSpeechCaption},
        {QStringLiteral("saygi"), Texts::SilenceAnthem1Caption},
        {QStringLiteral("saygi2"), Texts::SilenceAnthem2Caption},
        {QStringLiteral("saygidurusu"), Texts::SilenceCaption},
        {QStringLiteral("siren"), Texts::SirenCaption},
    };
    return captions.value(sound, sound);
}

QString dayKindName(DayKind kind)
{
    switch (kind) {
    case DayKind::Weekly:
        return QStringLiteral("Haftalık saatler");
    case DayKind::SchoolDay:
        return QStringLiteral("Okul günü");
    case DayKind::DayType:
        return QStringLiteral("Gün türü");
    case DayKind::HalfDay:
        return QStringLiteral("Yarım gün");
    case DayKind::Holiday:
        return QStringLiteral("Tatil");
    case DayKind::OutsideSchoolYear:
        break;
    }
    return QStringLiteral("Eğitim yılı dışında");
}

QList<RuleLine> dayLines(const CalendarDay& d)
{
    QList<RuleLine> lines;
    int silence = 0;
    int ceremony = 0;
    for (const AppliedRule& r : d.rules)
        lines << RuleLine{ruleText(r, d, silence, ceremony), CalendarNames::sourceText(r.source)};
    if (d.bells && d.dayType.isEmpty())
        lines.prepend({QStringLiteral("Haftalık saatler: %1 saatleri çalar").arg(DayTable::nameOf(d.date)),
                       QString()});
    return lines;
}

QString dayTip(const CalendarDay& d)
{
    QStringList lines{longDate(d.date)};
    for (const RuleLine& l : dayLines(d))
        lines << (l.source.isEmpty() ? l.text : l.text + QStringLiteral(" — ") + l.source);
    return lines.join(QLatin1Char('\n'));
}

} // namespace CalendarWords
