#pragma once

#include "engine/Controller.h"
#include "engine/TickScheduler.h"
#include "platform/SystemBackends.h"
#include "platform/SystemdNotifier.h"
#include "platform/TerminationWatcher.h"
#include "relay/AsyncRelayPort.h"
#include "relay/SwitchableRelayPort.h"
#include "relay/SystemRelayPort.h"
#include "sound/SdlAudio.h"
#include "sound/SdlMusicPlayer.h"
#include "sound/SdlWavPlayer.h"

#include <functional>
#include <memory>

// One run of the bell engine on this machine's clock, sound card, relay and desktop, with a window or
// without one. It owns the start and the end: every request to end (the unload by a command or the
// weekend close, SIGTERM/SIGINT/SIGHUP, the event loop ending) goes through the one Form_Unload, and
// the process then ends.
class BellRun
{
public:
    BellRun(const ProgramFolder& folder, Dialogs& dialogs, WindowShell& shell);
    ~BellRun();

    Controller& controller() { return m_controller; }
    Desktop& desktop() { return *m_desktop; }

    // Form_Load, then `loaded` (the window is shown), the first tick at once, and the event loop until
    // the unload. Returns the process's exit status.
    int exec(const std::function<void()>& loaded);

    // A request from outside to end: once started, through the unload; during the start-up (the
    // second copy's message open), the start simply ends, writing nothing.
    void endRequested();

private:
    void tick();

    SystemClock m_clock;
    // The relay "ayarlar.ini" names, from start-up on, driven off the tick's thread.
    AsyncRelayPort m_port{std::make_unique<SwitchableRelayPort>(), &findRelayDevices};
    SdlAudio m_audio;
    SdlWavPlayer m_wav;
    SdlMusicPlayer m_music;
    std::unique_ptr<Desktop> m_desktop;
    std::unique_ptr<InstanceGuard> m_instance;
    std::unique_ptr<ClockSync> m_clockSync = createSystemClockSync();
    MainModel m_model;
    Controller m_controller;
    TickScheduler m_ticker;
    SystemdNotifier m_systemd;
    TerminationWatcher m_termination;
    bool m_loaded = false;
};
