#pragma once

#include "schedule/DayTable.h"
#include "support/RehearsalProcess.h"
#include "support/SchoolFolder.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The real program on a school folder where nothing rings or shuts down, whatever the clock says,
// and with a "systemctl" that reports the headless service as the test wants, whatever this machine
// runs. The environment is cleared of the session, the service manager and the display, so the
// program sees only what a test adds.
class QuietSchoolRun : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(programPath().isEmpty()) << "VEZOZIL_EXE is not set";
        for (const QString& day : DayTable::names())
            school.day(day, {});
        school.melodi({});
        school.kapat(QStringLiteral("XX:XX"), QStringLiteral("XX:XX"));
        school.muzikler({});
        // Two lines: the unload writes the one it keeps, so a single line shows that it ran.
        school.writeLines(QStringLiteral("port.txt"), {QStringLiteral("0"), QStringLiteral("0")});
        setServiceActive(false);
    }

    void setServiceActive(bool active) const
    {
        QFile script(tools.filePath(QStringLiteral("systemctl")));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
        script.write(active ? "#!/bin/sh\nexit 0\n" : "#!/bin/sh\nexit 3\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QProcessEnvironment quietEnvironment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* unset : {"NOTIFY_SOCKET", "WATCHDOG_USEC", "INVOCATION_ID", "SESSION_MANAGER",
                                  "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(unset));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        env.insert(QStringLiteral("PATH"),
                   tools.path() + QStringLiteral(":") + env.value(QStringLiteral("PATH")));
        return env;
    }

    SchoolFolder school;
    QTemporaryDir tools;
};
