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
#include <memory>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
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

void setMode(const QString& path, mode_t mode)
{
    ::chmod(QFile::encodeName(path).constData(), mode);
}
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

// A folder nobody may write to has no lock file, and writes nothing; the folder's own lock stands in.
TEST(InstanceGuard, WritesNothingAndWorksOnAReadOnlyFolder)
{
    Folders f;
    const int user = ::geteuid() == 0 ? Nobody : -1; // root may write anywhere
    setMode(f.root.path(), 0755);
    setMode(f.folder(), 0555);
    {
        OtherCopy first(QStringLiteral("hold"), f.folder(), user);
        EXPECT_EQ(first.answer(), QStringLiteral("free"));
        OtherCopy second(QStringLiteral("hold"), f.folder(), user);
        EXPECT_EQ(second.answer(), QStringLiteral("running"));
        EXPECT_TRUE(
            QDir(f.folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    }
    setMode(f.folder(), 0700);
}

// Only the program's user can hold the lock: a reader of the folder cannot block the start, and a lock
// file that someone else could hold, or a link in its place, is never used as it stands.
TEST(InstanceGuard, LockFileOnlyItsOwnUserCanHold)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "another user's copy and file need root";
    enum class Before { Nothing, OwnWideFile, OtherUsersFile, Link };
    const struct
    {
        const char* name;
        Before before;
        mode_t modeAfter; // of the lock file, or of the file a link points at
        uid_t ownerAfter;
        bool otherCopyRefused; // another user's copy that starts after ours
    } cases[] = {
        {"a reader of the folder starts first", Before::Nothing, 0600, 0, true},
        {"an older lock file open to all", Before::OwnWideFile, 0600, 0, true},
        {"a lock file of another user", Before::OtherUsersFile, 0644, Nobody, false},
        {"a link planted in its place", Before::Link, 0644, 0, false},
    };
    for (const auto& c : cases) {
        Folders f;
        setMode(f.root.path(), 0755);
        setMode(f.folder(), 0755);
        const QByteArray lock = QFile::encodeName(f.folder() + QStringLiteral("/.vezozil.lock"));
        const QByteArray victim = QFile::encodeName(f.root.filePath(QStringLiteral("passwd")));
        std::unique_ptr<OtherCopy> reader;
        if (c.before == Before::Nothing) {
            reader = std::make_unique<OtherCopy>(QStringLiteral("hold"), f.folder(), Nobody);
            ASSERT_EQ(reader->answer(), QStringLiteral("free")) << c.name;
        } else {
            const QByteArray file = c.before == Before::Link ? victim : lock;
            ::close(::open(file.constData(), O_CREAT | O_WRONLY, 0600));
            ::chmod(file.constData(), c.before == Before::OwnWideFile ? 0666 : 0644);
            ASSERT_EQ(::chown(file.constData(), c.ownerAfter, c.ownerAfter), 0);
            if (c.before == Before::Link) {
                ASSERT_EQ(::symlink(victim.constData(), lock.constData()), 0);
            }
        }

        FolderInstanceGuard ours(f.folder());
        EXPECT_FALSE(ours.anotherCopyRunning()) << c.name;
        EXPECT_FALSE(ours.anotherCopyRunning()) << c.name << ": asking again keeps the folder";
        struct stat st = {};
        ASSERT_EQ(::stat(c.before == Before::Link ? victim.constData() : lock.constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.modeAfter) << c.name;
        EXPECT_EQ(st.st_uid, c.ownerAfter) << c.name;
        OtherCopy other(QStringLiteral("hold"), f.folder(), Nobody);
        EXPECT_EQ(other.answer(), c.otherCopyRefused ? QStringLiteral("running") : QStringLiteral("free"))
            << c.name;
    }
}

TEST(InstanceGuard, FolderThatCannotBeOpenedDoesNotStopTheBells)
{
    Folders f;
    FolderInstanceGuard guard(f.root.filePath(QStringLiteral("yok")));
    EXPECT_FALSE(guard.anotherCopyRunning());
}
