#pragma once

#include "calendar/CalendarDay.h"

#include <QList>
#include <QString>

// A line the main window and the calendar window show about today: what decides it, or a warning
// (a calendar that cannot be read, a day type without its file, a table of religious holidays that
// runs out).
struct CalendarNote
{
    QString text;
    bool warning = false;

    bool operator==(const CalendarNote&) const = default;
};

// The operator's words for what the calendar decides, in Turkish.
namespace CalendarTexts {

// A time followed by the suffix Turkish gives it as it is read aloud: "13:00'ten", "16:00'dan",
// "12:30'dan" (ablative); "09:05'te", "10:00'da" (locative).
QString fromTime(const QTime& time);
QString atTime(const QTime& time);

// "13:00'ten sonra zil yok", or "10:00–12:00 arası zil yok" for one that ends within the day.
QString silenceText(const TimedSilence& silence);
// The reason a grid slot is silenced, the tooltip of its box: "<name>: 13:00'ten sonra zil yok".
QString slotReason(const TimedSilence& silence);

// One note per rule of the day: "Bugün tatil: Cumhuriyet Bayramı", "Yarım gün: 13:00'ten sonra zil
// yok", "Gün türü: Sınav günü", "Okul günü: Telafi günü", "Eğitim yılı dışında: bugün zil yok",
// "09:05'te tören: 10 Kasım Atatürk'ü Anma". None for an ordinary day.
QList<CalendarNote> dayNotes(const CalendarDay& day);

// "takvim.ics okunamadı (<why>): okulun takvimi uygulanmıyor; dosya, Takvim penceresinden kaydedilene
// dek olduğu gibi duruyor."
CalendarNote brokenFile(const QString& why);
// "Gün türü bulunamadı: Sınav günü. Bugün Pazartesi saatleri çalıyor."
CalendarNote missingDayType(const QString& dayType, const QString& weekday);
// "Dinî bayramlar 2030 yılına kadar girilmiş: sonraki yılların bayram tarihlerini Takvim penceresinden
// girin."
CalendarNote religiousHolidaysRunOut(int lastYear);

} // namespace CalendarTexts
