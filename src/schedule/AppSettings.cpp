#include "schedule/AppSettings.h"

#include "common/Log.h"
#include "schedule/TextFile.h"

#include <QFileInfo>
#include <QSettings>

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

constexpr std::array<std::pair<RelaySettings::Kind, const char*>, 4> KindNames{{
    {RelaySettings::Kind::Lpt, "lpt"},
    {RelaySettings::Kind::UsbHid, "usb-hid"},
    {RelaySettings::Kind::UsbSerial, "usb-seri"},
    {RelaySettings::Kind::Gpio, "gpio"},
}};

// An integer value within [low, high]; std::nullopt when the key is absent, not a whole number or
// out of range.
std::optional<int> intValue(const QSettings& ini, const QString& key, int low, int high)
{
    if (!ini.contains(key))
        return std::nullopt;
    bool ok = false;
    const int n = ini.value(key).toString().trimmed().toInt(&ok);
    if (!ok || n < low || n > high)
        return std::nullopt;
    return n;
}

void readRelay(const QSettings& ini, RelaySettings& relay)
{
    const QString kindText = ini.value(KindKey).toString().trimmed();
    if (const auto kind = RelaySettings::kindFromName(kindText))
        relay.kind = *kind;
    else
        qCInfo(lcFiles).noquote() << AppSettings::FileName << ": relay kind"
                                  << (kindText.isEmpty() ? "not set" : kindText) << "- the LPT relay is used";
    relay.device = ini.value(DeviceKey).toString().trimmed();
    const int maxChannel =
        relay.kind == RelaySettings::Kind::Gpio ? RelaySettings::MaxGpioLine : RelaySettings::MaxChannel;
    const int lowest = relay.kind == RelaySettings::Kind::Gpio ? 0 : 1;
    if (const auto channel = intValue(ini, ChannelKey, lowest, maxChannel))
        relay.channel = *channel;
    else if (relay.kind != RelaySettings::Kind::Lpt && !ini.contains(ChannelKey))
        qCInfo(lcFiles).noquote() << AppSettings::FileName << ": relay channel not set - channel 1 is used";
    else if (relay.kind != RelaySettings::Kind::Lpt)
        qCWarning(lcFiles).noquote() << AppSettings::FileName << ": relay channel"
                                     << ini.value(ChannelKey).toString()
                                     << "is not valid - channel 1 is used";
    relay.activeLow = intValue(ini, ActiveLowKey, 0, 1).value_or(0) == 1;
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

bool AppSettings::readNationalHolidays(const ProgramFolder& folder)
{
    const QString path = folder.path(FileName);
    if (!TextFile::isRegularFile(path))
        return true;
    const QSettings ini(path, QSettings::IniFormat);
    if (!ini.contains(NationalKey))
        return true;
    if (const auto apply = intValue(ini, NationalKey, 0, 1))
        return *apply == 1;
    // A value that is neither 0 nor 1 keeps the holidays: the bells then stay silent on them, as a
    // school expects, rather than ringing through a bayram.
    qCWarning(lcFiles).noquote() << FileName << ": ResmiTatiller" << ini.value(NationalKey).toString()
                                 << "is neither 0 nor 1 - the national calendar applies";
    return true;
}

AppSettings AppSettings::read(const ProgramFolder& folder)
{
    AppSettings settings;
    const QString path = folder.path(FileName);
    if (!TextFile::isRegularFile(path)) {
        if (QFileInfo::exists(path))
            qCWarning(lcFiles) << path << "is not a regular file: it is not read";
        else
            qCInfo(lcFiles).noquote() << FileName << "not found: amplifier warm-up 0 s, LPT relay";
        return settings;
    }
    const QSettings ini(path, QSettings::IniFormat);
    if (const auto w = intValue(ini, WarmUpKey, 0, MaxWarmUpSeconds))
        settings.warmUpSeconds = *w;
    else
        qCInfo(lcFiles).noquote() << FileName << ": amplifier warm-up" << ini.value(WarmUpKey).toString()
                                  << "not set or out of 0..10 - 0 s is used";
    readRelay(ini, settings.relay);
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

// QSettings merges what the file holds and saves through a temporary file that replaces the old one
// only when complete, so keys of a later version survive and a power cut leaves the old file.
bool save(const ProgramFolder& folder, const std::function<void(QSettings&)>& put)
{
    const QString path = folder.path(AppSettings::FileName); // the spelling found, if any
    if (QFileInfo::exists(path) && !TextFile::isRegularFile(path)) {
        qCWarning(lcFiles) << path << "is not a regular file: it is not written";
        return false;
    }
    QSettings ini(path, QSettings::IniFormat);
    put(ini);
    ini.sync();
    if (ini.status() != QSettings::NoError) {
        qCWarning(lcFiles) << "cannot write" << path;
        return false;
    }
    return true;
}
} // namespace

bool AppSettings::write(const ProgramFolder& folder) const
{
    return save(folder, [this](QSettings& ini) {
        ini.setValue(WarmUpKey, warmUpSeconds);
        putRelay(ini, relay);
    });
}

bool AppSettings::writeRelay(const ProgramFolder& folder, const RelaySettings& relay)
{
    return save(folder, [&relay](QSettings& ini) { putRelay(ini, relay); });
}

bool AppSettings::writeNationalHolidays(const ProgramFolder& folder, bool apply)
{
    return save(folder, [apply](QSettings& ini) { ini.setValue(NationalKey, apply ? 1 : 0); });
}
