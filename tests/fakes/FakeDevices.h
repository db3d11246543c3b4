#pragma once

#include "engine/Clock.h"
#include "engine/Dialogs.h"
#include "engine/WindowShell.h"
#include "platform/ClockSync.h"
#include "platform/Desktop.h"
#include "platform/InstanceGuard.h"
#include "relay/RelayPort.h"
#include "sound/MusicPlayer.h"
#include "sound/WavPlayer.h"

#include <QDateTime>
#include <QHash>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

// Hand-written recording fakes for every device the controller uses.

class FakeRelayPort : public RelayPort
{
public:
    bool Out32(quint16 address, quint16 value) override
    {
        writes.emplace_back(address, value);
        return !failing;
    }
    QString problem() const override { return failing ? QStringLiteral("Röle portuna ulaşılamıyor") : QString(); }
    void use(const RelaySettings& relay) override { used.push_back(relay); }
    QList<RelayDevice> devices(RelaySettings::Kind kind) const override { return attached.value(kind); }

    std::vector<std::pair<quint16, quint16>> writes;
    bool failing = false;
    std::vector<RelaySettings> used;                         // every relay the engine chose, in order
    QHash<RelaySettings::Kind, QList<RelayDevice>> attached; // what each kind finds
    std::optional<quint16> lastValue() const
    {
        return writes.empty() ? std::nullopt : std::optional<quint16>(writes.back().second);
    }
};

// Plays a sound from the moment it is started until its length has passed on the clock.
// Files without a length are unplayable.
class FakeWavPlayer : public WavPlayer
{
public:
    explicit FakeWavPlayer(const Clock& clock) : m_clock(clock) {}

    void close() override
    {
        if (isPlaying())
            ++cutOff;
        m_end = {};
        ++closes;
    }
    bool play(const QString& fullPath) override
    {
        close();
        played << fullPath;
        const auto it = lengths.find(fullPath);
        if (deviceMissing || it == lengths.end()) {
            failed << fullPath;
            return false;
        }
        m_end = m_clock.now().addMSecs(qint64(it.value() * 1000));
        return true;
    }
    bool isPlaying() override { return m_end.isValid() && m_clock.now() < m_end; }
    void prepare(const QStringList& fullPaths) override { prepared = fullPaths; }
    // The sound device went away under the sound (a sound server restarting): it ends at once.
    void loseDevice() { m_end = {}; }

    QHash<QString, double> lengths; // full path -> seconds
    bool deviceMissing = false;     // no sound device: every play fails
    QStringList prepared;           // the last files announced as wanted soon
    QStringList played;             // every play request, in order
    QStringList failed;
    int closes = 0;
    int cutOff = 0;

private:
    const Clock& m_clock;
    QDateTime m_end;
};

class FakeMusicPlayer : public MusicPlayer
{
public:
    explicit FakeMusicPlayer(const Clock& clock) : m_clock(clock) {}

    void play(const QString& source) override
    {
        played << source;
        const auto it = lengths.find(source);
        m_end = deviceMissing || it == lengths.end() ? QDateTime()
                                                     : m_clock.now().addMSecs(qint64(it.value() * 1000));
    }
    void stop() override
    {
        ++stops;
        m_end = {};
    }
    void setVolume(int v) override { volume = v; }
    bool isPlaying() override { return m_end.isValid() && m_clock.now() < m_end; }
    void loseDevice() { m_end = {}; }

    QHash<QString, double> lengths; // source -> seconds; others never reach the playing state
    bool deviceMissing = false;     // no sound device: nothing reaches the playing state
    QStringList played;
    int stops = 0;
    int volume = -1;

private:
    const Clock& m_clock;
    QDateTime m_end;
};

class FakeDesktop : public Desktop
{
public:
    void openDocument(const QString& path) override { opened << path; }
    void killProcesses(const QString& imageName) override { killed << imageName; }
    void shutdown() override { ++shutdowns; }
    void openUrl(const QString& url) override { urls << url; }

    QStringList opened, killed, urls;
    int shutdowns = 0;
};

// Answers questions from a queue; an unexpected question fails the test through `unexpected`.
class FakeDialogs : public Dialogs
{
public:
    bool askYesNo(const QString& text) override
    {
        asked << text;
        if (answers.empty()) {
            ++unexpected;
            return false;
        }
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    void tell(const QString& text, const QString& title) override { told.emplace_back(text, title); }
    std::optional<QString> chooseFile(const QString& filter) override
    {
        filters << filter;
        if (files.empty())
            return std::nullopt;
        const QString f = files.front();
        files.pop_front();
        if (f.isNull())
            return std::nullopt;
        return f;
    }

    void chooseRelay(RelaySetup& setup) override
    {
        ++relayDialogs;
        if (relayAnswer)
            relayAnswer(setup);
    }
    bool enterSchoolYear(SchoolYearDates& dates) override { return schoolYearAnswer && schoolYearAnswer(dates); }
    // Each opening of the entry dialog takes the next answer; none left cancels it.
    bool editCalendarEntry(CalendarEntry& entry, const QStringList&) override
    {
        if (entryAnswers.empty())
            return false;
        const auto answer = entryAnswers.front();
        entryAnswers.pop_front();
        return answer(entry);
    }
    std::optional<QString> chooseSaveFile(const QString& filter, const QString&) override
    {
        return chooseFile(filter);
    }

    std::deque<bool> answers;
    std::deque<QString> files; // chosen paths in order; a null QString() cancels
    int relayDialogs = 0;
    std::function<void(RelaySetup&)> relayAnswer; // what the operator does in the "Röle…" dialog
    std::function<bool(SchoolYearDates&)> schoolYearAnswer; // the "Eğitim yılı" dialog; true: saved
    std::deque<std::function<bool(CalendarEntry&)>> entryAnswers; // the entry dialog; true: saved
    QStringList asked, filters;
    std::vector<std::pair<QString, QString>> told;
    int unexpected = 0;
};

class FakeShell : public WindowShell
{
public:
    bool trayAvailable() const override { return tray; }
    void addTrayIcon() override { iconShown = true, ++adds; }
    void removeTrayIcon() override { iconShown = false, ++removes; }
    void hideWindow() override { windowVisible = false; }
    void minimizeWindow() override { ++minimizes; }
    void showWindow() override { windowVisible = true, ++shows; }
    void popupMenu() override { ++menus; }
    void quit() override { ++quits; }

    bool tray = true;
    bool iconShown = false;
    bool windowVisible = true;
    int adds = 0, removes = 0, minimizes = 0, shows = 0, menus = 0, quits = 0;
};

// Answers with whatever the test sets, at once.
class FakeClockSync : public ClockSync
{
public:
    void ask() override { ++asks; }
    std::optional<bool> synchronised() const override { return answer; }
    std::optional<bool> answer;
    int asks = 0;
};

class FakeInstanceGuard : public InstanceGuard
{
public:
    bool anotherCopyRunning() override { return running; }
    bool running = false;
};
