#pragma once

#include <QString>

// Notification-icon record as the system prepares it at start-up.
struct TrayIconRecord
{
    int size = 0;
    int iconId = 0;
    int flags = 0;
    int callbackMessage = 0;
    QString tip;

    bool operator==(const TrayIconRecord&) const = default;
};

// The variables of the main window that the tick, start-up and the handlers share.
// Integer flags hold exactly the values the system gives them.
struct ControllerState
{
    int ampMode = 0;            // 0 automatic, 1 continuous, 3 continuous pressed twice
    int ampHoldAfterSound = 0;  // 1: the tick never switches the amplifier off
    int ampState = 1;           // 1 releasable by Kapat, 2 held on
    int bellsOff = 0;
    int minuteHandled = 0;
    int announcementPending = 0;
    int breakActive = 0;
    int breakProgramMode = 0;   // written only by gecisyap
    int musicStoppedByOperator = 0;
    qint16 shutdownIssued = 0;

    QString loadedDayName;
    QString todayName;
    QString currentMinute;
    QString bellMinuteCopy;

    QString studentMelodyFile;
    QString teacherMelodyFile;
    QString exitMelodyFile;
    QString assemblyMelodyFile;

    QString breakProgramPath;
    QString breakProgramImageName;
    QString killCommandLine;

    int musicVolume = 100;
    QString lastMusicFileChosen;

    int lptPortNumber = 0;
    qint32 lptPortAddress = 0;

    TrayIconRecord trayIconRecord;

    // Set once the main window has been unloaded: nothing more runs after it.
    bool unloaded = false;

    bool operator==(const ControllerState&) const = default;
};
