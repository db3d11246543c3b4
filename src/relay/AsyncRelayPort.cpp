#include "relay/AsyncRelayPort.h"

#include "common/Log.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QMutex>
#include <QThread>

#include <deque>
#include <optional>

namespace {
// Long enough for a board that answers to take the last writes, short enough that a logout or a
// service stop does not wait on one that does not.
constexpr int ExitWaitMs = 3000;
constexpr int SliceMs = 20;

// What the worker does for the device of one relay choice, in this order: switch to it, write the
// latest byte wanted of it, look at it; then tell the whenDone calls that waited for it.
struct Job
{
    std::optional<RelaySettings> relay;
    std::optional<std::pair<quint16, quint16>> write; // address, value
    bool check = false;
    QList<quint64> tickets;
};
} // namespace

class RelayWorker : public QObject
{
    Q_OBJECT
public:
    explicit RelayWorker(std::unique_ptr<RelayPort> port) : m_port(std::move(port)) {}

    // On the caller's thread: `change` edits the job the call belongs to (a new one when `newJob`),
    // and the worker is woken when it was idle.
    template <typename Change> void post(bool newJob, Change change)
    {
        bool idle = false;
        {
            QMutexLocker lock(&m_mutex);
            idle = m_jobs.empty();
            if (newJob || idle)
                m_jobs.emplace_back();
            change(m_jobs.back());
        }
        if (idle)
            QMetaObject::invokeMethod(this, &RelayWorker::drain, Qt::QueuedConnection);
    }

    void drain()
    {
        while (m_port) {
            Job job;
            {
                QMutexLocker lock(&m_mutex);
                if (m_jobs.empty())
                    return;
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            if (job.relay)
                m_port->use(*job.relay);
            if (job.write)
                m_port->Out32(job.write->first, job.write->second);
            if (job.check)
                m_port->check();
            Q_EMIT done(m_port->problem(), job.tickets);
        }
    }

    // The device is let go on the thread that opened it, as a serial port must be.
    void finish()
    {
        drain();
        m_port.reset();
        thread()->quit();
    }

Q_SIGNALS:
    void done(const QString& problem, const QList<quint64>& tickets);

private:
    std::unique_ptr<RelayPort> m_port;
    QMutex m_mutex;
    std::deque<Job> m_jobs;
};

AsyncRelayPort::AsyncRelayPort(std::unique_ptr<RelayPort> port, Finder finder)
    : m_finder(std::move(finder)), m_thread(new QThread), m_worker(new RelayWorker(std::move(port)))
{
    m_thread->setObjectName(QStringLiteral("relay"));
    m_worker->moveToThread(m_thread);
    connect(m_worker, &RelayWorker::done, this, &AsyncRelayPort::settled);
    m_thread->start();
}

AsyncRelayPort::~AsyncRelayPort()
{
    QMetaObject::invokeMethod(m_worker, &RelayWorker::finish, Qt::QueuedConnection);
    // Waited for in short slices counted on the monotonic clock: one long timed wait can give up at
    // once when the wall clock is stepped (or faked) while the program ends.
    QElapsedTimer waited;
    waited.start();
    while (!waited.hasExpired(ExitWaitMs)) {
        if (m_thread->wait(QDeadlineTimer(SliceMs))) {
            delete m_worker;
            delete m_thread;
            return;
        }
    }
    // Ending the thread, or deleting what it works on, would crash: both are left to the end of the
    // process, which is near.
    qCWarning(lcRelay) << "the relay device does not answer: the program ends without waiting for it";
}

bool AsyncRelayPort::Out32(quint16 address, quint16 value)
{
    m_worker->post(false, [address, value](Job& job) { job.write = std::make_pair(address, value); });
    return m_problem.isEmpty();
}

void AsyncRelayPort::use(const RelaySettings& relay)
{
    m_worker->post(true, [&relay](Job& job) { job.relay = relay; });
}

void AsyncRelayPort::check()
{
    m_worker->post(false, [](Job& job) { job.check = true; });
}

void AsyncRelayPort::whenDone(std::function<void()> then)
{
    const quint64 ticket = ++m_lastTicket;
    m_waiting.insert(ticket, std::move(then));
    m_worker->post(false, [ticket](Job& job) { job.tickets << ticket; });
}

void AsyncRelayPort::findDevices(RelaySettings::Kind kind, Found found)
{
    // Not on the worker, which may be waiting on the very board that hangs. The thread ends when the
    // lookup does, and outlives this port if it must; the answer then goes nowhere.
    auto devices = std::make_shared<QList<RelayDevice>>();
    QThread* lookup = QThread::create([finder = m_finder, kind, devices] { *devices = finder(kind); });
    connect(lookup, &QThread::finished, this, [devices, found = std::move(found)] { found(*devices); });
    connect(lookup, &QThread::finished, lookup, &QObject::deleteLater);
    lookup->start();
}

void AsyncRelayPort::settled(const QString& problem, const QList<quint64>& tickets)
{
    m_problem = problem;
    if (m_listener)
        m_listener();
    for (const quint64 ticket : tickets) {
        if (const std::function<void()> then = m_waiting.take(ticket))
            then();
    }
}

#include "AsyncRelayPort.moc"
