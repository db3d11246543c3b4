#pragma once

#include "schedule/ProgramFolder.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The five settings files of the program folder. Readers unquote by position and never fail: a
// missing file reads as empty, and a line that is absent, too short or not a number gives no value,
// so the caller keeps the control's current value. Writers replace their file atomically and return
// false when it cannot be written.
namespace SettingsFiles {
constexpr int TimetableLimit = 250; // also "uygulama.txt", "melodi.txt", "kapat.txt"
constexpr int MusicListLimit = 350;
constexpr int PortLimit = 50;
constexpr int MelodiLines = 27;

struct Uygulama
{
    std::optional<QString> programPath; // line 1, unquoted
    std::optional<QString> imageName;   // line 2, unquoted
    std::optional<int> check33;         // line 3
};
Uygulama readUygulama(const ProgramFolder& folder);
bool writeUygulama(const ProgramFolder& folder, const QString& programPath, const QString& imageName, int check33);

// "melodi.txt", one entry per line 1..27: the integer value of the line, or none.
struct Melodi
{
    std::array<std::optional<int>, MelodiLines> lines;
    std::optional<QString> volumeText; // line 9 as read; converted after the file is closed
};
Melodi readMelodi(const ProgramFolder& folder);
bool writeMelodi(const ProgramFolder& folder, const std::array<int, MelodiLines>& lines); // as "Melodi.txt"

// The leading numeric part of a text, 0 if there is none ("100" -> 100, "75abc" -> 75, "x" -> 0).
int leadingNumber(const QString& text);

struct Kapat
{
    std::optional<QString> weekday; // line 1, the five characters after the first
    std::optional<QString> weekend; // line 2
};
Kapat readKapat(const ProgramFolder& folder);
bool writeKapat(const ProgramFolder& folder, const QString& weekday, const QString& weekend);

QStringList readMuzikler(const ProgramFolder& folder); // each line without its first and last character
bool writeMuzikler(const ProgramFolder& folder, const QStringList& entries);

// The number on the last numeric line of "port.txt"; the last line wins.
std::optional<int> readPort(const ProgramFolder& folder);
bool writePort(const ProgramFolder& folder, int portNumber);
} // namespace SettingsFiles
