#include "fakes/CoreApplication.h"
#include "platform/FolderInstanceGuard.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include <unistd.h>

// The test program doubles as the other copy: started with VEZOZIL_GUARD_CHILD set, it asks the
// guard before main runs, reports "running" or "free", and then either holds the folder until its
// input closes ("hold") or dies on the spot without releasing anything ("crash").
namespace {
int runAsOtherCopy()
{
    const QByteArray mode = qgetenv("VEZOZIL_GUARD_CHILD");
    if (mode.isEmpty())
        return 0;
    auto* guard = new FolderInstanceGuard(QString::fromLocal8Bit(qgetenv("VEZOZIL_GUARD_FOLDER")));
    std::cout << (guard->anotherCopyRunning() ? "running" : "free") << std::endl;
    if (mode == "crash")
        std::_Exit(0); // no destructor, as after a power cut or a kill
    std::string line;
    std::getline(std::cin, line);
    delete guard;
    std::exit(0);
}
const int otherCopy = runAsOtherCopy();

class OtherCopy
{
public:
    // `asUser`: run under that uid and gid through setpriv (needs root).
    OtherCopy(const QString& mode, const QString& folder, int asUser = -1)
    {
        ensureCoreApplication();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VEZOZIL_GUARD_CHILD"), mode);
        env.insert(QStringLiteral("VEZOZIL_GUARD_FOLDER"), folder);
        m_process.setProcessEnvironment(env);
        const QString self = QCoreApplication::applicationFilePath();
        if (asUser < 0) {
            m_process.start(self, {});
            return;
        }
        const QString id = QString::number(asUser);
        m_process.start(QStringLiteral("setpriv"),
                        {QStringLiteral("--reuid=") + id, QStringLiteral("--regid=") + id,
                         QStringLiteral("--clear-groups"), self});
    }
    ~OtherCopy() { finish(); }

    // The guard's answer in the other copy, waited for at most a few seconds.
    QString answer()
    {
        while (!m_process.canReadLine() && m_process.waitForReadyRead(5000)) {
        }
        return QString::fromLatin1(m_process.readLine()).trimmed();
    }
    bool finish()
    {
        if (m_process.state() == QProcess::NotRunning)
            return true;
        m_process.closeWriteChannel();
        return m_process.waitForFinished(5000);
    }

private:
    QProcess m_process;
};

struct Folders
{
    Folders()
    {
        QDir(root.path()).mkpath(QStringLiteral("okul"));
        QDir(root.path()).mkpath(QStringLiteral("okul2"));
        QFile::link(folder(), root.filePath(QStringLiteral("kisayol")));
    }
    QString folder() const { return root.filePath(QStringLiteral("okul")); }
    QTemporaryDir root;
};

constexpr int Nobody = 65534;
} // namespace

TEST(InstanceGuard, AnotherCopyOnTheSameFolderIsRefusedByAnyOfItsNames)
{
    const struct
    {
        const char* name;
        const char* other; // the folder as the other copy names it, below the temporary root
        int asUser;
        bool refused;
    } cases[] = {
        {"same path", "okul", -1, true},         {"roundabout path", "okul/../okul/", -1, true},
        {"through a link", "kisayol", -1, true}, {"another user", "okul", Nobody, true},
        {"another folder", "okul2", -1, false},
    };
    for (const auto& c : cases) {
        if (c.asUser >= 0 && ::geteuid() != 0) {
            std::cout << "skipped without root: " << c.name << std::endl;
            continue;
        }
        Folders f;
        // Readable by everyone, as a shared program folder is; the temporary root is not otherwise.
        for (const QString& d : {f.root.path(), f.folder(), f.root.filePath(QStringLiteral("okul2"))})
            QFile::setPermissions(d, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                         QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup |
                                         QFile::ExeGroup);
        FolderInstanceGuard first(f.folder());
        ASSERT_FALSE(first.anotherCopyRunning()) << c.name;
        OtherCopy other(QStringLiteral("hold"), f.root.filePath(QString::fromLatin1(c.other)), c.asUser);
        EXPECT_EQ(other.answer(), c.refused ? QStringLiteral("running") : QStringLiteral("free")) << c.name;
    }
}

TEST(InstanceGuard, FolderIsFreeOnceTheOtherCopyHasEndedHoweverItEnded)
{
    for (const char* mode : {"hold", "crash"}) {
        Folders f;
        OtherCopy running(QString::fromLatin1(mode), f.folder());
        ASSERT_EQ(running.answer(), QStringLiteral("free")) << mode;
        FolderInstanceGuard start(f.folder());
        if (qstrcmp(mode, "hold") == 0) {
            EXPECT_TRUE(start.anotherCopyRunning());
        }
        ASSERT_TRUE(running.finish());
        EXPECT_FALSE(start.anotherCopyRunning()) << mode;
    }
}

TEST(InstanceGuard, WritesNothingAndWorksOnAReadOnlyFolder)
{
    Folders f;
    QFile::setPermissions(f.folder(), QFile::ReadOwner | QFile::ExeOwner);
    const QStringList before = QDir(f.root.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    {
        FolderInstanceGuard guard(f.folder());
        EXPECT_FALSE(guard.anotherCopyRunning());
        EXPECT_FALSE(guard.anotherCopyRunning()) << "asking again keeps the folder";
        OtherCopy other(QStringLiteral("hold"), f.folder());
        EXPECT_EQ(other.answer(), QStringLiteral("running"));
        EXPECT_TRUE(
            QDir(f.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    }
    EXPECT_EQ(QDir(f.root.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), before);
    QFile::setPermissions(f.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(InstanceGuard, FolderThatCannotBeOpenedDoesNotStopTheBells)
{
    Folders f;
    FolderInstanceGuard guard(f.root.filePath(QStringLiteral("yok")));
    EXPECT_FALSE(guard.anotherCopyRunning());
}
