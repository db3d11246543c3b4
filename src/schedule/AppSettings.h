#pragma once

#include "schedule/ProgramFolder.h"

#include <QString>

#include <optional>

// Which relay switches the amplifier, as "[Role]" of "ayarlar.ini" keeps it.
struct RelaySettings
{
    enum class Kind { Lpt, UsbHid, UsbSerial, Gpio };

    Kind kind = Kind::Lpt;
    QString device;         // hidraw path or board serial, serial port, gpiochip; empty: the first found
    int channel = 1;        // 1..8, or the GPIO line offset
    bool activeLow = false; // GPIO: the relay closes on a low line

    static constexpr int MaxChannel = 8;
    // The GPIO lines a chip can have; any offset below this is accepted.
    static constexpr int MaxGpioLine = 1023;

    // "lpt", "usb-hid", "usb-seri", "gpio".
    static QString kindName(Kind kind);
    static std::optional<Kind> kindFromName(const QString& name);

    // How the journal and the rehearsal name the relay: the LPT address ("888"), otherwise
    // "<Tur>:<Aygit>#<Kanal>" ("usb-seri:/dev/ttyUSB0#1").
    QString target(quint16 lptAddress) const;

    bool operator==(const RelaySettings&) const = default;
};

// The settings of our own that the five stored files of the system do not have, in "ayarlar.ini"
// in the program folder: UTF-8, QSettings' INI format, ASCII keys. A copy of the program that does
// not know the file ignores it, so the system's own files stay exactly as they are.
//
// Reading never fails: a missing file, or a value that is missing or out of range, gives the
// behaviour the system has without the file, and each such fallback is logged once per read.
// Writing replaces the file atomically and keeps every key it does not know (a later version's).
struct AppSettings
{
    static const QString FileName; // "ayarlar.ini"

    // [Amfi] IsinmaSuresi: seconds the amplifier is given to wake before a timed bell.
    int warmUpSeconds = 0;
    static constexpr int MaxWarmUpSeconds = 10;

    RelaySettings relay;

    // [Takvim] ResmiTatiller: whether the national calendar (official and religious holidays, the
    // 10 Kasım ceremony) applies; on unless the file says 0.
    bool nationalHolidays = true;

    static AppSettings read(const ProgramFolder& folder);
    // False, with the old file whole, when it cannot be written.
    bool write(const ProgramFolder& folder) const;
    // Writes [Role] alone, so the operator's choice of relay leaves every other value of the file as
    // it stands there, even one edited by hand since start-up.
    static bool writeRelay(const ProgramFolder& folder, const RelaySettings& relay);
    // Writes [Amfi] alone, for the same reason.
    static bool writeWarmUp(const ProgramFolder& folder, int seconds);

    // Writes [Takvim] ResmiTatiller alone, for the same reason.
    static bool writeNationalHolidays(const ProgramFolder& folder, bool apply);

    bool operator==(const AppSettings&) const = default;
};
