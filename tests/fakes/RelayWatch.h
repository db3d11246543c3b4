#pragma once

#include "fakes/ControllerRig.h"

#include <QStringList>

#include <string>

// Ticks a rig and checks the amplifier relay after every tick: off in every quiet second and on
// while anything plays, from the tick that starts it. Where the rules hold the amplifier on in silence
// (continuous mode, a speech after the anthem, a break activity, a manual switch-on) the quiet check
// is waived; so it is in a tick that asked for a sound the player could not play, which the next
// tick's release switches off.
class RelayWatch
{
public:
    explicit RelayWatch(ControllerRig& rig) : m_rig(rig) {}

    void tick()
    {
        const auto played = m_rig.wav.played.size();
        m_rig.tick();
        check(m_rig.wav.played.size() != played);
    }
    // Ticks at each whole second until the clock reads `until` (inclusive).
    void runUntil(const QTime& until)
    {
        const QDateTime end(m_rig.clock.now().date(), until);
        while (m_rig.clock.now() < end)
            tick();
    }

    // The faults, one a line, for a failure message.
    std::string report() const { return faults.join(QLatin1Char('\n')).toStdString(); }

    bool relayOn() const { return m_rig.port.lastValue() == 1; }
    bool somethingPlays() const { return m_rig.wav.isPlaying() || m_rig.music.isPlaying(); }

    // Set while the test knows the amplifier is rightly held on in silence.
    bool allowHeld = false;
    QStringList faults;

private:
    void check(bool soundAsked)
    {
        const ControllerState& s = m_rig.controller->s;
        const QString at = m_rig.clock.now().time().toString(QStringLiteral("HH:mm:ss"));
        const bool held =
            allowHeld || soundAsked || s.ampMode != 0 || s.ampHoldAfterSound == 1 || s.breakActive == 1;
        if (somethingPlays() && !relayOn())
            faults << at + QStringLiteral(" sound plays, amplifier off");
        if (!somethingPlays() && relayOn() && !held)
            faults << at + QStringLiteral(" quiet, amplifier on");
    }

    ControllerRig& m_rig;
};
