#pragma once

#include <QObject>

class QSocketNotifier;

// Turns the system's requests to end (SIGTERM at logout or shutdown, SIGINT, SIGHUP) into a signal
// on the event loop, so the program ends through its normal unload and saves what it must. The
// handler only writes one byte to a pipe, which is safe inside a signal handler; the event loop
// reads it. One watcher at a time; the previous handlers come back when it is destroyed.
class TerminationWatcher : public QObject
{
    Q_OBJECT
public:
    explicit TerminationWatcher(QObject* parent = nullptr);
    ~TerminationWatcher() override;

    bool isActive() const { return m_notifier != nullptr; }

Q_SIGNALS:
    void terminationRequested();

private:
    void readSignals();

    QSocketNotifier* m_notifier = nullptr;
};
