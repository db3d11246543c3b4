#include "schedule/SettingsFiles.h"

// Placeholder until the settings files land: every reader reads as empty, every writer fails.
namespace SettingsFiles {
Uygulama readUygulama(const ProgramFolder&) { return {}; }
bool writeUygulama(const ProgramFolder&, const QString&, const QString&, int) { return false; }
Melodi readMelodi(const ProgramFolder&) { return {}; }
bool writeMelodi(const ProgramFolder&, const std::array<int, MelodiLines>&) { return false; }
int leadingNumber(const QString&) { return 0; }
Kapat readKapat(const ProgramFolder&) { return {}; }
bool writeKapat(const ProgramFolder&, const QString&, const QString&) { return false; }
QStringList readMuzikler(const ProgramFolder&) { return {}; }
bool writeMuzikler(const ProgramFolder&, const QStringList&) { return false; }
std::optional<int> readPort(const ProgramFolder&) { return std::nullopt; }
bool writePort(const ProgramFolder&, int) { return false; }
} // namespace SettingsFiles
