#include "sim/SimDevices.h"

#include "common/Log.h"
#include "sound/SoundLength.h"

#include <cmath>

bool SimRelayPort::Out32(quint16 address, quint16 value)
{
    const auto byte = static_cast<quint8>(value & 0xFF);
    if (!m_lpt) {
        if (m_lastOfTarget != byte)
            event(m_target, byte);
        m_lastOfTarget = byte;
        return true;
    }
    if (address == 0)
        return true;
    const auto it = m_last.find(address);
    if (it != m_last.end() && it->second == byte)
        return true;
    m_last[address] = byte;
    event(QString::number(address), byte);
    return true;
}

void SimRelayPort::use(const RelaySettings& relay)
{
    m_lpt = relay.kind == RelaySettings::Kind::Lpt;
    m_target = relay.target(0);
    m_lastOfTarget.reset();
}

void SimRelayPort::event(const QString& target, quint8 byte)
{
    // Data line D0 drives the relay.
    m_log.event(
        QStringLiteral("relay %1 %2").arg(target, (byte & 1) ? QStringLiteral("on") : QStringLiteral("off")));
}

std::optional<double> SimSound::lengthOf(const QString& file)
{
    const auto it = m_lengths.constFind(file);
    if (it != m_lengths.constEnd())
        return *it;
    const std::optional<double> length = soundLengthSeconds(file);
    m_lengths.insert(file, length);
    return length;
}

bool SimSound::start(const QString& file, const QString& shown)
{
    cut();
    const std::optional<double> length = lengthOf(file);
    if (!length || !std::isfinite(*length) || *length < 0) {
        m_log.event(m_kind + QStringLiteral(" fail ") + shown);
        return false;
    }
    m_log.event(m_kind + QStringLiteral(" play ") + shown);
    m_playing = true;
    m_end = m_time.msecs() + std::llround(*length * 1000.0);
    return true;
}

void SimSound::cut()
{
    if (!m_playing)
        return;
    // A sound whose time ran out in this very second has ended rather than been cut off.
    m_log.event(m_kind + (playing() ? QStringLiteral(" stop") : QStringLiteral(" end")));
    m_playing = false;
}

void SimSound::expire()
{
    if (m_playing && m_end <= m_time.msecs()) {
        m_log.event(m_kind + QStringLiteral(" end"));
        m_playing = false;
    }
}

bool SimWavPlayer::play(const QString& fullPath)
{
    return m_sound.start(fullPath, m_folder.relative(fullPath));
}

void SimMusicPlayer::play(const QString& source)
{
    m_sound.start(source, source);
}

void SimDesktop::openDocument(const QString& path)
{
    m_log.event(QStringLiteral("open ") + path);
}

void SimDesktop::killProcesses(const QString& imageName)
{
    m_log.event(QStringLiteral("kill ") + imageName);
}

void SimDesktop::shutdown()
{
    m_log.event(QStringLiteral("shutdown"));
}

void SimDesktop::openUrl(const QString& url)
{
    qCInfo(lcApp) << "rehearsal: would open" << url;
}

bool SimDialogs::askYesNo(const QString& text)
{
    qCInfo(lcApp) << "rehearsal: answered No to" << text;
    return false;
}

void SimDialogs::tell(const QString& text, const QString& title)
{
    qCInfo(lcApp) << "rehearsal: message" << title << text;
}

std::optional<QString> SimDialogs::chooseFile(const QString& filter)
{
    qCInfo(lcApp) << "rehearsal: file dialog cancelled" << filter;
    return std::nullopt;
}
