#pragma once

#include "fakes/FakeDevices.h"

#include "engine/Controller.h"

#include <QTemporaryDir>

#include <memory>

// A controller on fakes and a temporary program folder, with a manual clock.
struct ControllerRig
{
    explicit ControllerRig(const QDateTime& start = QDateTime(QDate(2026, 12, 7), QTime(8, 0, 0)));

    // Writes a file into the program folder ("saatler/Pazartesi.txt"), bytes as given.
    void writeFile(const QString& relative, const QByteArray& bytes) const;
    QByteArray readFile(const QString& relative) const;
    // A day file of 53 quoted lines from the given slots (missing ones "XX:XX").
    void writeDay(const QString& dayName, const QHash<int, QString>& slots) const;
    // Registers a sound of that length under the program folder ("\melodiler\1.wav").
    void setSoundLength(const QString& relative, double seconds);

    bool load() { return controller->Form_Load(); }
    // One tick at each whole second until the clock reads `until` (inclusive).
    void runUntil(const QTime& until);
    void tick()
    {
        clock.advanceSecond();
        controller->Timer1_Timer();
    }

    QTemporaryDir dir;
    ManualClock clock;
    FakeRelayPort port;
    FakeWavPlayer wav{clock};
    FakeMusicPlayer music{clock};
    FakeDesktop desktop;
    FakeDialogs dialogs;
    FakeShell shell;
    FakeInstanceGuard instance;
    FakeClockSync clockSync;
    MainModel model;
    std::unique_ptr<Controller> controller;
};
