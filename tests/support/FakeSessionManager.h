#pragma once

#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>
// Xlib's names for int would clash with GoogleTest's testing::Bool.
#undef Bool
#undef Status

#include <QDeadlineTimer>
#include <QString>
#include <QStringList>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <poll.h>
#include <vector>

// An X session manager, as far as the end of a desktop session needs one: a program that finds it in
// SESSION_MANAGER registers, and the manager asks it to save itself (at a logout: before the session
// shuts down) and then to die. Everything runs in the test's thread, while it pumps.
class FakeSessionManager
{
public:
    FakeSessionManager()
    {
        char error[256] = {};
        // A program that ends drops its connection; libICE's default then ends this process.
        IceSetIOErrorHandler([](IceConn) {});
        std::signal(SIGPIPE, SIG_IGN);
        if (!SmsInitialize("vezozil-test", "1.0", &FakeSessionManager::newClient, this, &acceptAnyHost,
                           sizeof error, error))
            return;
        int count = 0;
        if (!IceListenForConnections(&count, &m_listeners, sizeof error, error))
            return;
        m_listenerCount = count;
        for (int i = 0; i < count; ++i)
            IceSetHostBasedAuthProc(m_listeners[i], &acceptAnyHost);
        char* ids = IceComposeNetworkIdList(count, m_listeners);
        m_address = QString::fromLatin1(ids);
        std::free(ids);
    }
    ~FakeSessionManager()
    {
        if (m_client)
            SmsCleanUp(m_client);
        for (IceConn c : m_connections)
            IceCloseConnection(c);
        if (m_listeners)
            IceFreeListenObjs(m_listenerCount, m_listeners);
    }

    // SESSION_MANAGER for the program; empty when the manager could not listen.
    QString address() const { return m_address; }
    // "register", "interact", "save-done", "close", in the order they came.
    const QStringList& events() const { return m_events; }

    // A save at a logout (shutdown) or a save point of a running session (no shutdown).
    void saveYourself(bool shutdown)
    {
        SmsSaveYourself(m_client, SmSaveBoth, shutdown, SmInteractStyleAny, False);
    }
    void die() { SmsDie(m_client); }

    // Serves connections until `done` holds or the time is up; true when it holds.
    bool pumpUntil(const std::function<bool()>& done, int timeoutMs)
    {
        const QDeadlineTimer deadline(timeoutMs);
        while (!done()) {
            if (deadline.hasExpired())
                return false;
            pump(50);
        }
        return true;
    }
    bool hasClient() const { return m_client != nullptr && m_events.contains(QStringLiteral("register")); }

private:
    void pump(int ms)
    {
        std::vector<pollfd> fds;
        for (int i = 0; i < m_listenerCount; ++i)
            fds.push_back({IceGetListenConnectionNumber(m_listeners[i]), POLLIN, 0});
        for (IceConn c : m_connections)
            fds.push_back({IceConnectionNumber(c), POLLIN, 0});
        if (::poll(fds.data(), fds.size(), ms) <= 0)
            return;
        for (int i = 0; i < m_listenerCount; ++i) {
            if (fds[i].revents & POLLIN) {
                IceAcceptStatus status;
                if (IceConn c = IceAcceptConnection(m_listeners[i], &status))
                    m_connections.push_back(c);
            }
        }
        for (std::size_t i = m_listenerCount; i < fds.size(); ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            IceConn c = m_connections[i - m_listenerCount];
            if (IceProcessMessages(c, nullptr, nullptr) == IceProcessMessagesIOError) {
                IceCloseConnection(c);
                std::erase(m_connections, c);
                return; // the list changed under the loop
            }
        }
    }

    static int acceptAnyHost(char* /*hostname*/) { return True; }

    static int newClient(SmsConn conn, SmPointer data, unsigned long* mask, SmsCallbacks* cb, char** /*why*/)
    {
        auto* self = static_cast<FakeSessionManager*>(data);
        self->m_client = conn;
        *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
                SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
                SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
                SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
        cb->register_client = {&registerClient, data};
        cb->interact_request = {[](SmsConn c, SmPointer d, int) {
                                    note(d, "interact");
                                    SmsInteract(c);
                                },
                                data};
        cb->interact_done = {[](SmsConn, SmPointer, int) {}, data};
        cb->save_yourself_request = {[](SmsConn, SmPointer, int, int, int, int, int) {}, data};
        cb->save_yourself_phase2_request = {[](SmsConn c, SmPointer) { SmsSaveYourselfPhase2(c); }, data};
        cb->save_yourself_done = {[](SmsConn, SmPointer d, int) { note(d, "save-done"); }, data};
        cb->close_connection = {&closeConnection, data};
        cb->set_properties = {&setProperties, data};
        cb->delete_properties = {&deleteProperties, data};
        cb->get_properties = {[](SmsConn c, SmPointer) { SmsReturnProperties(c, 0, nullptr); }, data};
        return 1;
    }
    static int registerClient(SmsConn conn, SmPointer data, char* previousId)
    {
        std::free(previousId);
        char* id = SmsGenerateClientID(conn);
        const int ok = SmsRegisterClientReply(conn, id);
        std::free(id);
        note(data, "register");
        return ok;
    }
    static void closeConnection(SmsConn conn, SmPointer data, int count, char** reasons)
    {
        SmFreeReasons(count, reasons);
        auto* self = static_cast<FakeSessionManager*>(data);
        SmsCleanUp(conn);
        self->m_client = nullptr;
        note(data, "close");
    }
    static void setProperties(SmsConn, SmPointer, int count, SmProp** props)
    {
        for (int i = 0; i < count; ++i)
            SmFreeProperty(props[i]);
        std::free(props);
    }
    static void deleteProperties(SmsConn, SmPointer, int count, char** names)
    {
        for (int i = 0; i < count; ++i)
            std::free(names[i]);
        std::free(names);
    }
    static void note(SmPointer data, const char* event)
    {
        static_cast<FakeSessionManager*>(data)->m_events << QString::fromLatin1(event);
    }

    IceListenObj* m_listeners = nullptr;
    int m_listenerCount = 0;
    std::vector<IceConn> m_connections;
    SmsConn m_client = nullptr;
    QString m_address;
    QStringList m_events;
};
