#pragma once

#include "relay/RelayPort.h"

#include <QHash>
#include <QObject>

#include <functional>
#include <memory>

class QThread;
class RelayWorker;

// The real program's relay: the port it is given is driven on a thread of its own, because a board
// that enumerates but does not answer makes a USB transfer wait up to 5 s, and closing a wedged
// serial port can take 30 s; on the tick's thread either would hold up a bell. A call only records
// what is wanted and returns: the worker then switches the device, writes the latest byte wanted of
// it (a write still waiting is replaced by a newer one, never queued behind it) and looks at it. Each
// outcome comes back to this object's thread as a queued signal: problem() then tells it, and the
// listener hears of it. The devices to choose from are looked up on threads of their own.
class AsyncRelayPort : public QObject, public RelayPort
{
public:
    using Finder = std::function<QList<RelayDevice>(RelaySettings::Kind)>;

    // `finder` lists the devices attached; it must touch none of `port`'s state.
    AsyncRelayPort(std::unique_ptr<RelayPort> port, Finder finder);
    // What was asked for last still goes out (the relay keeps its state after the program ends), but a
    // device that does not answer does not keep the program from ending for more than a few seconds.
    ~AsyncRelayPort() override;
    AsyncRelayPort(const AsyncRelayPort&) = delete;
    AsyncRelayPort& operator=(const AsyncRelayPort&) = delete;

    // True unless the last write carried out failed.
    bool Out32(quint16 address, quint16 value) override;
    QString problem() const override { return m_problem; }
    void use(const RelaySettings& relay) override;
    QList<RelayDevice> devices(RelaySettings::Kind kind) const override { return m_finder(kind); }
    void findDevices(RelaySettings::Kind kind, Found found) override;
    void check() override;
    void whenDone(std::function<void()> then) override;
    void setListener(std::function<void()> listener) override { m_listener = std::move(listener); }

private:
    void settled(const QString& problem, const QList<quint64>& tickets);

    const Finder m_finder;
    QThread* m_thread;
    RelayWorker* m_worker; // left running, with its thread, when a device does not let go at the end
    QString m_problem;
    std::function<void()> m_listener;
    QHash<quint64, std::function<void()>> m_waiting; // whenDone calls by ticket
    quint64 m_lastTicket = 0;
};
