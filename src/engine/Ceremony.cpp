#include "engine/Ceremony.h"

#include "engine/Controller.h"

namespace {
const QString Istiklal = QStringLiteral("\\marslar\\istiklal.wav");
}

void Ceremony::playFixed(const QString& relative)
{
    if (c.s.breakProgramMode == 1)
        c.program.programkapat();
    c.music.stopMusic();
    // The break is over: left active, the next tick would start a new track over the anthem or the
    // siren and hold the amplifier on after it.
    c.s.breakActive = 0;
    c.amp.Ac();
    c.melodies.playWavFile(c.melodies.fullPath(relative));
}

void Ceremony::Command6_Click()
{
    playFixed(Istiklal);
    if (!c.melodies.isWavPlaying())
        c.amp.Kapat();
    if (c.melodies.isWavPlaying())
        c.amp.Ac();
}

void Ceremony::Command26_Click()
{
    c.amp.Ac();
    c.melodies.playWavFile(c.melodies.fullPath(Istiklal));
    c.s.ampHoldAfterSound = 1;
}

void Ceremony::Command7_Click() { playFixed(QStringLiteral("\\marslar\\saygi.wav")); }
void Ceremony::Command8_Click() { playFixed(QStringLiteral("\\marslar\\saygi2.wav")); }
void Ceremony::Command20_Click() { playFixed(QStringLiteral("\\marslar\\saygidurusu.wav")); }
void Ceremony::Command9_Click() { playFixed(QStringLiteral("\\marslar\\siren.wav")); }

void Ceremony::playManualBell(const QString& melodyFile)
{
    c.music.stopMusic();
    // Stopped music must stay stopped, or the next tick draws a new track over the bell. A break
    // program plays on: the manual bells leave it alone, and it still needs the amplifier.
    if (c.s.breakProgramMode == 0)
        c.s.breakActive = 0;
    c.amp.Ac();
    c.melodies.playWavFile(c.melodies.fullPath(melodyFile));
}

void Ceremony::Command10_Click() { playManualBell(c.s.studentMelodyFile); }

// The teacher melody, not the exit one, as this button has always played.
void Ceremony::Command11_Click() { playManualBell(c.s.teacherMelodyFile); }

void Ceremony::Command13_Click()
{
    if (c.s.breakProgramMode == 1)
        c.program.programkapat();
    c.music.stopMusic();
    c.s.musicStoppedByOperator = 1;
    c.s.breakActive = 0;
    c.amp.Kapat();
    c.melodies.closeWavPlayer();
    if (!c.melodies.isWavPlaying())
        c.amp.Kapat();
    c.s.ampState = 1;
}
