#include "engine/BreakActivities.h"

#include "engine/Controller.h"

void BreakActivities::continuationSteps()
{
    ControllerState& s = c.s;
    const bool musicPlaying = c.music.isMusicPlaying();
    if (musicPlaying && s.breakActive == 1) // 9
        c.amp.Ac();
    if (s.breakActive == 1 && s.breakProgramMode == 1) // 10
        c.amp.Ac();
    if (!musicPlaying && s.breakProgramMode == 0 && s.breakActive == 1 && s.musicStoppedByOperator == 0) { // 11
        // An operator who empties the list while music is on ends the break: there is nothing to draw.
        // The amplifier, held on for the music, is made releasable so it goes off at once.
        if (c.m.musicList.isEmpty()) {
            s.breakActive = 0;
            s.ampState = 1;
            return;
        }
        c.music.pickRandomMusic();
        s.minuteHandled = 1;
    }
}

bool BreakActivities::breakStartDue()
{
    const ControllerState& s = c.s;
    if (!c.m.check5 || s.musicStoppedByOperator != 0 || s.minuteHandled != 1 || s.breakActive != 0 ||
        c.melodies.isWavPlaying())
        return false;
    bool marked = false;
    for (int lesson = 1; lesson <= Slots::Lessons; ++lesson) {
        if (c.m.lessonMusic[lesson - 1] &&
            c.m.grid[Slots::lessonSlot(lesson, Slots::Column::Exit)] == s.currentMinute)
            marked = true;
    }
    return marked && (s.breakProgramMode == 1 || !c.m.musicList.isEmpty());
}

void BreakActivities::breakStart()
{
    ControllerState& s = c.s;
    if (!breakStartDue())
        return;
    if (!c.m.musicList.isEmpty() && s.breakProgramMode == 0) {
        c.amp.Ac();
        s.ampState = 1;
        c.music.pickRandomMusic();
        s.minuteHandled = 1;
        s.breakActive = 1;
    }
    if (s.breakProgramMode == 1) {
        c.amp.Ac();
        s.ampState = 1;
        s.minuteHandled = 1;
        s.breakActive = 1;
        c.program.programac();
    }
}
