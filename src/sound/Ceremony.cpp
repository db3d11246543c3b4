#include "sound/Ceremony.h"

#include "engine/Controller.h"

namespace {
const QString Istiklal = QStringLiteral("\\marslar\\istiklal.wav");
}

void Ceremony::playFixed(const QString& relative)
{
    if (c.s.breakProgramMode == 1)
        c.program.programkapat();
    c.music.stopMusic();
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

void Ceremony::Command10_Click()
{
    c.music.stopMusic();
    c.amp.Ac();
    c.melodies.playWavFile(c.melodies.fullPath(c.s.studentMelodyFile));
}

void Ceremony::Command11_Click()
{
    // The teacher melody, not the exit one, as this button has always played.
    c.music.stopMusic();
    c.amp.Ac();
    c.melodies.playWavFile(c.melodies.fullPath(c.s.teacherMelodyFile));
}

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
