#include "calendar/CalendarTexts.h"

namespace {
// The last word of a number as it is read aloud: the suffix follows it.
QString spokenLastWord(int n)
{
    static const char* const units[] = {"",    "bir",  "iki",  "üç",    "dört",
                                        "beş", "altı", "yedi", "sekiz", "dokuz"};
    static const char* const tens[] = {"sıfır", "on", "yirmi", "otuz", "kırk", "elli"};
    return QString::fromUtf8(n % 10 != 0 ? units[n % 10] : tens[n / 10]);
}

// Vowel harmony and consonant assimilation of the suffix "-DA" / "-DAn" after that word.
QString suffix(const QTime& t, bool ablative)
{
    const QString word = spokenLastWord(t.minute() != 0 ? t.minute() : t.hour() % 60);
    const QString frontVowels = QStringLiteral("eiöü");
    const QString vowels = QStringLiteral("aıoueiöü");
    QChar lastVowel = QLatin1Char('e');
    for (const QChar c : word) {
        if (vowels.contains(c))
            lastVowel = c;
    }
    const bool hard = QStringLiteral("çfhkpsşt").contains(word.back());
    QString s = QString(hard ? QLatin1Char('t') : QLatin1Char('d')) +
                (frontVowels.contains(lastVowel) ? QLatin1Char('e') : QLatin1Char('a'));
    if (ablative)
        s += QLatin1Char('n');
    return t.toString(QStringLiteral("HH:mm")) + QLatin1Char('\'') + s;
}

QTime timeOfSecond(int second)
{
    return QTime(0, 0).addSecs(std::min(second, 24 * 3600 - 1));
}
} // namespace

namespace CalendarTexts {

QString fromTime(const QTime& time)
{
    return suffix(time, true);
}

QString atTime(const QTime& time)
{
    return suffix(time, false);
}

QString silenceText(const TimedSilence& s)
{
    if (s.reachesEndOfDay())
        return fromTime(timeOfSecond(s.from)) + QStringLiteral(" sonra zil yok");
    return QStringLiteral("%1–%2 arası zil yok")
        .arg(timeOfSecond(s.from).toString(QStringLiteral("HH:mm")),
             timeOfSecond(s.to).toString(QStringLiteral("HH:mm")));
}

QString slotReason(const TimedSilence& s)
{
    return s.name.isEmpty() ? silenceText(s) : s.name + QStringLiteral(": ") + silenceText(s);
}

QList<CalendarNote> dayNotes(const CalendarDay& day)
{
    QList<CalendarNote> notes;
    int silence = 0;
    int ceremony = 0;
    for (const AppliedRule& r : day.rules) {
        auto named = [&r](const QString& head) {
            return r.name.isEmpty() ? head : head + QStringLiteral(": ") + r.name;
        };
        switch (r.rule) {
        case DayRule::SchoolDay:
            notes << CalendarNote{named(QStringLiteral("Okul günü"))};
            break;
        case DayRule::Holiday:
            notes << CalendarNote{named(QStringLiteral("Bugün tatil"))};
            break;
        case DayRule::OutsideSchoolYear:
            notes << CalendarNote{QStringLiteral("Eğitim yılı dışında: bugün zil yok")};
            break;
        case DayRule::DayType:
            notes << CalendarNote{named(QStringLiteral("Gün türü"))};
            break;
        case DayRule::HalfDay:
            notes << CalendarNote{QStringLiteral("Yarım gün: ") + silenceText(day.silences.value(silence++))};
            break;
        case DayRule::TimedHoliday: {
            const QString text = silenceText(day.silences.value(silence++));
            notes << CalendarNote{r.name.isEmpty() ? text : text + QStringLiteral(": ") + r.name};
            break;
        }
        case DayRule::Ceremony:
            notes << CalendarNote{
                named(atTime(day.ceremonies.value(ceremony++).time) + QStringLiteral(" tören"))};
            break;
        }
    }
    return notes;
}

CalendarNote brokenFile(const QString& why)
{
    return {
        QStringLiteral("takvim.ics okunamadı (%1): okulun takvimi uygulanmıyor; dosya, Takvim penceresinden "
                       "kaydedilene dek olduğu gibi duruyor.")
            .arg(why),
        true};
}

CalendarNote missingDayType(const QString& dayType, const QString& weekday)
{
    return {QStringLiteral("Gün türü bulunamadı: %1. Bugün %2 saatleri çalıyor.").arg(dayType, weekday),
            true};
}

CalendarNote religiousHolidaysRunOut(int lastYear)
{
    return {QStringLiteral("Dinî bayramlar %1 yılına kadar girilmiş: sonraki yılların bayram tarihlerini "
                           "Takvim penceresinden girin.")
                .arg(lastYear),
            true};
}

} // namespace CalendarTexts
