#pragma once

#include "calendar/CalendarEntry.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A calendar as stored: its entries, and beside them the VCALENDAR as read without its VEVENTs (its own
// properties, time zones, to-dos), which a save writes back untouched.
struct CalendarDocument
{
    QList<CalendarEntry> entries;
    QByteArray calendar;
};

// iCalendar files (RFC 5545, UTF-8) through libical: the school's takvim.ics, the shipped national
// calendar, and the files the window imports and exports.
namespace CalendarFile {

inline const QString FileName = QStringLiteral("takvim.ics");
// A broken takvim.ics is kept under this name, beside the new one, when the operator saves over it.
inline const QString BrokenSuffix = QStringLiteral(".bozuk");
// Far above any school's year; a larger file is refused unread rather than held in memory.
constexpr qint64 MaxBytes = 4 * 1024 * 1024;

enum class Status { Missing, Read, Broken };

struct ReadResult
{
    Status status = Status::Missing;
    CalendarDocument document;
    QString problem; // Broken: why, in words for the operator (the journal has the same)
};

// Broken: not a regular file, larger than MaxBytes, not UTF-8 text, or libical cannot parse it (it
// finds no calendar, or marks a line it could not read). `defaultSource` is where an entry without
// X-VEZOZIL-KAYNAK comes from; `national` marks every entry as the national calendar's.
ReadResult read(const QString& path, EntrySource defaultSource = EntrySource::School, bool national = false);
ReadResult parse(const QByteArray& bytes, EntrySource defaultSource = EntrySource::School,
                 bool national = false);

// The file's bytes: the calendar kept from the read (or a new one), then one VEVENT per entry.
QByteArray serialise(const CalendarDocument& document);

// Replaces the file atomically: a power cut mid-save leaves the old file whole. False, with the reason
// in `error` for the operator, when it cannot be written.
bool write(const QString& path, const CalendarDocument& document, QString* error = nullptr);

// Copies the file at `path` beside itself as "<name>.bozuk" (".bozuk.2", ... when that is taken), so a
// save over a broken file loses nothing. Returns the copy's path, empty when it could not be made.
QString keepBroken(const QString& path);

} // namespace CalendarFile
