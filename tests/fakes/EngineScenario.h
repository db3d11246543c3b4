#pragma once

#include "fakes/ControllerRig.h"

#include "schedule/DaySchedule.h"

#include <QHash>

// Set-up shared by the whole-timeline engine tests.
namespace EngineScenario {

// Lesson cells by lesson number (1..17) and the two assembly cells.
inline int student(int lesson)
{
    return Slots::lessonSlot(lesson, Slots::Column::Student);
}
inline int teacher(int lesson)
{
    return Slots::lessonSlot(lesson, Slots::Column::Teacher);
}
inline int exitBell(int lesson)
{
    return Slots::lessonSlot(lesson, Slots::Column::Exit);
}

// The melody files chosen below: student 1.wav, teacher 2.wav, exit 3.wav, assembly 4.wav.
inline const QString StudentWav = QStringLiteral("\\melodiler\\1.wav");
inline const QString TeacherWav = QStringLiteral("\\melodiler\\2.wav");
inline const QString ExitWav = QStringLiteral("\\melodiler\\3.wav");
inline const QString AssemblyWav = QStringLiteral("\\melodiler\\4.wav");
inline const QString Anons1 = QStringLiteral("\\melodiler\\anons1.wav");
inline const QString Anons2 = QStringLiteral("\\melodiler\\anons2.wav");

struct Lengths
{
    double student = 20, teacher = 20, exit = 15, assembly = 20, announcement = 10;
};

// Writes today's file (the rig starts on Monday 7 December 2026), runs start-up, drives the relay
// on LPT1 and chooses rows 1 to 4 of the melody boxes, with sounds of the given lengths.
inline void start(ControllerRig& rig, const QHash<int, QString>& cells, const Lengths& len = {})
{
    rig.writeDay(QStringLiteral("Pazartesi"), cells);
    rig.load();
    Controller& c = *rig.controller;
    c.s.lptPortNumber = 1;
    c.amp.selectPort();
    for (int b = 0; b < MelodyBoxCount; ++b)
        rig.model.melody[b].position = b;
    c.melodies.recomputeAll();
    rig.setSoundLength(StudentWav, len.student);
    rig.setSoundLength(TeacherWav, len.teacher);
    rig.setSoundLength(ExitWav, len.exit);
    rig.setSoundLength(AssemblyWav, len.assembly);
    rig.setSoundLength(Anons1, len.announcement);
    rig.setSoundLength(Anons2, len.announcement);
}

// Breaks play music ("Hayır" ticked) from a list of tracks of the given length.
inline void musicBreaks(ControllerRig& rig, const QStringList& tracks, double seconds)
{
    rig.model.check33 = true;
    rig.controller->program.gecisyap();
    rig.model.check5 = true;
    rig.model.musicList = tracks;
    for (const QString& t : tracks)
        rig.music.lengths.insert(t, seconds);
}

// Breaks run an outside program ("Hayır" clear).
inline void programBreaks(ControllerRig& rig, const QString& path, const QString& imageName)
{
    rig.model.check33 = false;
    rig.controller->program.gecisyap();
    rig.model.check5 = true;
    rig.controller->s.breakProgramPath = path;
    rig.controller->s.breakProgramImageName = imageName;
}

inline QString full(ControllerRig& rig, const QString& relative)
{
    return rig.controller->folder.path(relative);
}

} // namespace EngineScenario
