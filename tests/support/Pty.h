#pragma once

#include <QByteArray>
#include <QString>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

// A pseudo-terminal whose slave side stands for a relay board's serial port; what the program writes
// to the slave is read, without waiting, on the master side.
struct Pty
{
    Pty()
    {
        char name[128] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) == 0) {
            slaveName = QString::fromLocal8Bit(name);
            fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
        }
    }
    // The test holds the slave open too, so the line is not hung up when the program lets it go.
    ~Pty()
    {
        ::close(master);
        ::close(slave);
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    QByteArray read() const
    {
        QByteArray all;
        char buffer[64];
        ssize_t n = 0;
        while ((n = ::read(master, buffer, sizeof buffer)) > 0)
            all.append(buffer, n);
        return all;
    }

    int master = -1;
    int slave = -1;
    QString slaveName;
};
