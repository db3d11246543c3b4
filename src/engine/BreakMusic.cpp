#include "engine/BreakMusic.h"

#include "engine/Controller.h"

#include <cmath>

void BreakMusic::stopMusic() { c.d.music.stop(); }

bool BreakMusic::isMusicPlaying() { return c.d.music.isPlaying(); }

void BreakMusic::pickRandomMusic()
{
    const int n = static_cast<int>(c.m.musicList.size());
    if (n == 0)
        return;
    const double r = std::generate_canonical<double, 53>(m_random); // uniform on [0, 1)
    int index = static_cast<int>(std::floor(r * n));
    if (index >= n) // guards the rounding of r * n for r just below 1
        index = n - 1;
    c.m.musicListIndex = index;
    c.d.music.play(c.m.musicList.at(index));
}

void BreakMusic::setMusicVolume()
{
    c.m.label23Caption = QString::number(c.s.musicVolume);
    c.d.music.setVolume(c.s.musicVolume);
}

void BreakMusic::Command21_Click()
{
    const std::optional<QString> chosen = c.d.dialogs.chooseFile(QStringLiteral("Müzik Seçin|*.mp3"));
    // A cancelled dialog adds nothing.
    if (!chosen || chosen->isEmpty())
        return;
    // One path per line in the stored list, so a path with a line break could not be kept.
    if (chosen->contains(QLatin1Char('\n')) || chosen->contains(QLatin1Char('\r'))) {
        c.d.dialogs.tell(QStringLiteral("Bu dosya eklenemedi: dosya yolunda satır sonu karakteri var."),
                         Texts::WarningTitle);
        return;
    }
    c.s.lastMusicFileChosen = *chosen;
    c.m.musicList.append(c.s.lastMusicFileChosen);
}

void BreakMusic::Command23_Click()
{
    const int i = c.m.musicListIndex;
    if (i < 0 || i >= c.m.musicList.size() || c.m.musicList.at(i).isEmpty())
        return;
    c.m.musicList.removeAt(i);
    c.m.musicListIndex = -1;
}

void BreakMusic::Command22_Click()
{
    if (c.m.musicList.isEmpty())
        return;
    c.amp.Ac();
    c.s.ampState = 1;
    pickRandomMusic();
    c.s.minuteHandled = 1;
    c.s.breakActive = 1;
}

void BreakMusic::Command27_Click()
{
    c.s.musicVolume = std::max(0, c.s.musicVolume - 5);
    setMusicVolume();
}

void BreakMusic::Command28_Click()
{
    c.s.musicVolume = std::min(100, c.s.musicVolume + 5);
    setMusicVolume();
}
