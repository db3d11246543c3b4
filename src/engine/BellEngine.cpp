#include "engine/BellEngine.h"

#include "engine/Controller.h"
#include "common/Log.h"

namespace {
bool matchesColumn(const DaySchedule& grid, const QString& minute, Slots::Column column)
{
    for (int lesson = 1; lesson <= Slots::Lessons; ++lesson) {
        if (grid[Slots::lessonSlot(lesson, column)] == minute)
            return true;
    }
    return false;
}

bool matchesAny(const DaySchedule& grid, const QString& minute)
{
    return std::find(grid.begin(), grid.end(), minute) != grid.end();
}
} // namespace

void BellEngine::step17()
{
    ControllerState& s = c.s;
    const DaySchedule& grid = c.m.grid;

    // 1. The guard is released by the first tick of another minute.
    if (s.minuteHandled == 1 && c.m.label1Caption.left(5) != c.m.text1)
        s.minuteHandled = 0;
    s.bellMinuteCopy = s.currentMinute; // 2
    if (!matchesAny(grid, s.bellMinuteCopy)) // 3
        return;

    const QString& minute = s.currentMinute;
    const bool student = matchesColumn(grid, minute, Slots::Column::Student);
    const bool teacher = matchesColumn(grid, minute, Slots::Column::Teacher);

    if (s.minuteHandled == 0) { // 4: the last matching kind's melody is played
        c.melodies.closeWavPlayer();
        const QString* melody = nullptr;
        if (student) {
            if (s.breakProgramMode == 1)
                c.program.programkapat();
            c.music.stopMusic();
            s.breakActive = 0;
            melody = &s.studentMelodyFile;
            s.announcementPending = 1;
            s.musicStoppedByOperator = 0;
        }
        if (teacher) {
            c.music.stopMusic();
            s.breakActive = 0;
            melody = &s.teacherMelodyFile;
            s.announcementPending = 1;
        }
        if (matchesColumn(grid, minute, Slots::Column::Exit)) {
            s.breakActive = 0;
            if (s.breakProgramMode == 1)
                c.program.programkapat();
            c.music.stopMusic();
            melody = &s.exitMelodyFile;
            s.announcementPending = 0;
        }
        if (grid[Slots::Assembly1] == minute || grid[Slots::Assembly2] == minute) {
            s.breakActive = 0;
            if (s.breakProgramMode == 1)
                c.program.programkapat();
            c.music.stopMusic();
            melody = &s.assemblyMelodyFile;
            s.announcementPending = 0;
            s.musicStoppedByOperator = 0;
        }
        if (melody) {
            qCInfo(lcBell) << "bell" << minute << *melody;
            c.melodies.playWavFile(c.melodies.fullPath(*melody));
        }
        c.m.text1 = minute;
        s.minuteHandled = 1;
    }

    if (c.m.check1 && student)
        announce(Melodies::Anons1); // 5
    c.breaks.breakStart();          // 6
    if (c.m.check2 && teacher)
        announce(Melodies::Anons2); // 7
}

void BellEngine::announce(const QString& file)
{
    ControllerState& s = c.s;
    if (s.minuteHandled != 1 || s.announcementPending != 1 || c.melodies.isWavPlaying())
        return;
    c.amp.Ac();
    s.ampState = 1;
    c.melodies.playWavFile(c.melodies.fullPath(file));
    s.minuteHandled = 1;
    s.announcementPending = 0;
}

void BellEngine::prepareUpcoming(const QDateTime& now)
{
    const QString soon = now.addSecs(PrepareLeadSeconds).toString(QStringLiteral("HH:mm"));
    // Once per bell: only in the first second that looks ahead into its minute.
    if (soon == c.s.currentMinute ||
        now.addSecs(PrepareLeadSeconds - 1).toString(QStringLiteral("HH:mm")) == soon)
        return;
    // Only what this bell can play: each decoded melody holds megabytes while it waits.
    const ControllerState& s = c.s;
    const DaySchedule& grid = c.m.grid;
    QStringList wanted;
    if (matchesColumn(grid, soon, Slots::Column::Student)) {
        wanted << s.studentMelodyFile;
        if (c.m.check1)
            wanted << Melodies::Anons1;
    }
    if (matchesColumn(grid, soon, Slots::Column::Teacher)) {
        wanted << s.teacherMelodyFile;
        if (c.m.check2)
            wanted << Melodies::Anons2;
    }
    if (matchesColumn(grid, soon, Slots::Column::Exit))
        wanted << s.exitMelodyFile;
    if (grid[Slots::Assembly1] == soon || grid[Slots::Assembly2] == soon)
        wanted << s.assemblyMelodyFile;
    if (!wanted.isEmpty())
        c.melodies.prepareSounds(wanted);
}
