#include "schedule/AppSettings.h"

#include "common/Log.h"
#include "schedule/FileAccess.h"
#include "schedule/IniText.h"
#include "schedule/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <array>
#include <functional>
#include <utility>

const QString AppSettings::FileName = QStringLiteral("ayarlar.ini");

namespace {
const QString WarmUpKey = QStringLiteral("Amfi/IsinmaSuresi");
const QString KindKey = QStringLiteral("Role/Tur");
const QString DeviceKey = QStringLiteral("Role/Aygit");
const QString ChannelKey = QStringLiteral("Role/Kanal");
const QString ActiveLowKey = QStringLiteral("Role/AktifDusuk");
const QString NationalKey = QStringLiteral("Takvim/ResmiTatiller");
// A settings file is a few hundred bytes; a larger one is read only this far.
constexpr qint64 MaxFileBytes = 1024 * 1024;

constexpr std::array<std::pair<RelaySettings::Kind, const char*>, 4> KindNames{{
    {RelaySettings::Kind::Lpt, "lpt"},
    {RelaySettings::Kind::UsbHid, "usb-hid"},
    {RelaySettings::Kind::UsbSerial, "usb-seri"},
    {RelaySettings::Kind::Gpio, "gpio"},
}};

// An integer value within [low, high]; std::nullopt when the key is absent, not a whole number or
// out of range.
std::optional<int> intValue(const IniText& ini, const QString& key, int low, int high)
{
    if (!ini.contains(key))
        return std::nullopt;
    bool ok = false;
    const int n = ini.value(key).trimmed().toInt(&ok);
    if (!ok || n < low || n > high)
        return std::nullopt;
    return n;
}

void readRelay(const IniText& ini, RelaySettings& relay)
{
    const QString kindText = ini.value(KindKey).trimmed();
    if (const auto kind = RelaySettings::kindFromName(kindText))
        relay.kind = *kind;
    else
        qCInfo(lcFiles).noquote() << AppSettings::FileName << ": relay kind"
                                  << (kindText.isEmpty() ? "not set" : kindText) << "- the LPT relay is used";
    relay.device = ini.value(DeviceKey).trimmed();
    const int maxChannel =
        relay.kind == RelaySettings::Kind::Gpio ? RelaySettings::MaxGpioLine : RelaySettings::MaxChannel;
    const int lowest = relay.kind == RelaySettings::Kind::Gpio ? 0 : 1;
    if (const auto channel = intValue(ini, ChannelKey, lowest, maxChannel))
        relay.channel = *channel;
    else if (relay.kind != RelaySettings::Kind::Lpt && !ini.contains(ChannelKey))
        qCInfo(lcFiles).noquote() << AppSettings::FileName << ": relay channel not set - channel 1 is used";
    else if (relay.kind != RelaySettings::Kind::Lpt)
        qCWarning(lcFiles).noquote() << AppSettings::FileName << ": relay channel" << ini.value(ChannelKey)
                                     << "is not valid - channel 1 is used";
    relay.activeLow = intValue(ini, ActiveLowKey, 0, 1).value_or(0) == 1;
}

bool nationalHolidaysOf(const IniText& ini)
{
    if (!ini.contains(NationalKey))
        return true;
    if (const auto apply = intValue(ini, NationalKey, 0, 1))
        return *apply == 1;
    // A value that is neither 0 nor 1 keeps the holidays: the bells then stay silent on them, as a
    // school expects, rather than ringing through a bayram.
    qCWarning(lcFiles).noquote() << AppSettings::FileName << ": ResmiTatiller" << ini.value(NationalKey)
                                 << "is neither 0 nor 1 - the national calendar applies";
    return true;
}
} // namespace

QString RelaySettings::target(quint16 lptAddress) const
{
    if (kind == Kind::Lpt)
        return QString::number(lptAddress);
    return kindName(kind) + QLatin1Char(':') + device + QLatin1Char('#') + QString::number(channel);
}

QString RelaySettings::kindName(Kind kind)
{
    for (const auto& [k, name] : KindNames) {
        if (k == kind)
            return QString::fromLatin1(name);
    }
    return QStringLiteral("lpt");
}

std::optional<RelaySettings::Kind> RelaySettings::kindFromName(const QString& name)
{
    for (const auto& [k, n] : KindNames) {
        if (name == QLatin1String(n))
            return k;
    }
    return std::nullopt;
}

AppSettings AppSettings::read(const ProgramFolder& folder)
{
    AppSettings settings;
    const QString path = folder.path(FileName);
    // Opened once, and only as a regular file: a FIFO put in its place, even after a look at it,
    // would otherwise hang the start.
    QFile file;
    if (!TextFile::openRegular(file, path)) {
        if (!QFileInfo::exists(path))
            qCInfo(lcFiles).noquote() << FileName << "not found: amplifier warm-up 0 s, LPT relay";
        return settings;
    }
    const IniText ini(file.read(MaxFileBytes));
    if (const auto w = intValue(ini, WarmUpKey, 0, MaxWarmUpSeconds))
        settings.warmUpSeconds = *w;
    else
        qCInfo(lcFiles).noquote() << FileName << ": amplifier warm-up" << ini.value(WarmUpKey)
                                  << "not set or out of 0..10 - 0 s is used";
    readRelay(ini, settings.relay);
    settings.nationalHolidays = nationalHolidaysOf(ini);
    return settings;
}

namespace {
void putRelay(QSettings& ini, const RelaySettings& relay)
{
    ini.setValue(KindKey, RelaySettings::kindName(relay.kind));
    ini.setValue(DeviceKey, relay.device);
    ini.setValue(ChannelKey, relay.channel);
    ini.setValue(ActiveLowKey, relay.activeLow ? 1 : 0);
}

// QSettings merges its changes into what the file holds, so keys of a later version survive. It works
// on a private copy: the result then replaces the file through the same no-follow, all-or-nothing
// replace as every other stored file, so a link planted in its place, even while it is saved, is never
// written through, and a power cut leaves the old file whole.
bool save(const ProgramFolder& folder, const std::function<void(QSettings&)>& put)
{
    const QString path = folder.path(AppSettings::FileName); // the spelling found, if any
    QByteArray old;
    QFile file;
    if (TextFile::openRegular(file, path)) {
        old = file.read(MaxFileBytes);
        file.close(); // Windows does not replace a file that is still open
    } else if (QFileInfo(path).exists() || QFileInfo(path).isSymLink())
        return false; // not a regular file, or not readable: said in the log, and left as it is
    QTemporaryDir work;
    const QString copy = work.filePath(AppSettings::FileName);
    QFile draft(copy);
    if (!work.isValid() || !draft.open(QIODevice::WriteOnly) || draft.write(old) != old.size()) {
        qCWarning(lcFiles) << "cannot write" << path << "- no room for its working copy";
        return false;
    }
    draft.close();
    {
        QSettings ini(copy, QSettings::IniFormat);
        put(ini);
        ini.sync();
        if (ini.status() != QSettings::NoError) {
            qCWarning(lcFiles) << "cannot write" << path;
            return false;
        }
    }
    if (!draft.open(QIODevice::ReadOnly))
        return false;
    const QByteArray merged = draft.readAll();
    draft.close();
    return FileAccess::replace(path, merged);
}
} // namespace

bool AppSettings::write(const ProgramFolder& folder) const
{
    return save(folder, [this](QSettings& ini) {
        ini.setValue(WarmUpKey, warmUpSeconds);
        putRelay(ini, relay);
        ini.setValue(NationalKey, nationalHolidays ? 1 : 0);
    });
}

bool AppSettings::writeRelay(const ProgramFolder& folder, const RelaySettings& relay)
{
    return save(folder, [&relay](QSettings& ini) { putRelay(ini, relay); });
}

bool AppSettings::writeWarmUp(const ProgramFolder& folder, int seconds)
{
    return save(folder, [seconds](QSettings& ini) { ini.setValue(WarmUpKey, seconds); });
}

bool AppSettings::writeNationalHolidays(const ProgramFolder& folder, bool apply)
{
    return save(folder, [apply](QSettings& ini) { ini.setValue(NationalKey, apply ? 1 : 0); });
}
