#include <QtGlobal>

#ifdef Q_OS_LINUX

#include "fakes/FakePortSystem.h"
#include "relay/LinuxRelayPort.h"
#include "relay/ParportDirectory.h"
#include "relay/SystemRelayPort.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

// Collects the relay warnings written while it lives.
class RelayWarnings
{
public:
    RelayWarnings() { s_warnings.clear(), m_previous = qInstallMessageHandler(&handle); }
    ~RelayWarnings() { qInstallMessageHandler(m_previous); }
    QStringList all() const { return s_warnings; }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type == QtWarningMsg && qstrcmp(context.category, "vezozil.relay") == 0)
            s_warnings << text;
    }
    static inline QStringList s_warnings;
    QtMessageHandler m_previous = nullptr;
};

// A port on a fake system that the test keeps looking at after handing it over.
struct Rig
{
    Rig() : system(new FakePortSystem), port(std::unique_ptr<PortSystem>(system)) {}
    FakePortSystem* system;
    LinuxRelayPort port;
};

struct LookupCase
{
    const char* name;
    std::vector<std::pair<int, QByteArray>> procEntries; // parport index, base-addr line
    quint16 address;
    QByteArray device;
};

void PrintTo(const LookupCase& c, std::ostream* os)
{
    *os << c.name;
}

class ParportLookup : public testing::TestWithParam<LookupCase>
{
};

TEST_P(ParportLookup, FindsTheDeviceForAnAddress)
{
    FakePortSystem system;
    for (const auto& [index, line] : GetParam().procEntries)
        system.addParport(index, line);
    system.files.insert(QStringLiteral("/proc/sys/dev/parport/default/timeslice"), "200\n");
    EXPECT_EQ(ParportDirectory(system).deviceFor(GetParam().address), GetParam().device);
}

INSTANTIATE_TEST_SUITE_P(
    Relay, ParportLookup,
    testing::Values(
        LookupCase{"ListedBase", {{0, "888\t1912\n"}}, 0x378, "/dev/parport0"},
        LookupCase{
            "ListedBaseOfSecondDevice", {{0, "53264\t53256\n"}, {1, "632\t1656\n"}}, 0x278, "/dev/parport1"},
        LookupCase{"CardAddressListed", {{0, "888\t1912\n"}, {1, "53264\t53256\n"}}, 0xD010, "/dev/parport1"},
        LookupCase{"NoProcFallsBackToLpt1", {}, 0x378, "/dev/parport0"},
        LookupCase{"NoProcFallsBackToLpt2", {}, 0x278, "/dev/parport1"},
        LookupCase{"NoProcFallsBackToLpt3", {}, 0x3BC, "/dev/parport2"},
        LookupCase{"CardInPlaceOfLpt1", {{0, "53264\t53256\n"}}, 0x378, "/dev/parport0"},
        LookupCase{"FallbackIsAnotherStandardPort", {{0, "632\t1656\n"}}, 0x378, ""},
        LookupCase{"UnreadableBaseLineIgnored", {{0, "garbage\n"}, {1, "956\n"}}, 0x3BC, "/dev/parport1"},
        LookupCase{"UnknownAddressWithoutProc", {}, 0xD010, ""}),
    [](const testing::TestParamInfo<LookupCase>& info) { return info.param.name; });

TEST(LinuxRelayPort, ClaimsOnceAndWritesTheLowBytePerWrite)
{
    Rig rig;
    rig.system->addParport(0, "888\t1912\n");
    EXPECT_TRUE(rig.port.Out32(0x378, 1));
    EXPECT_TRUE(rig.port.Out32(0x378, 0));
    EXPECT_TRUE(rig.port.Out32(0x378, 0x1FF));
    EXPECT_EQ(rig.system->takeCalls(),
              QStringList({"open /dev/parport0", "claim 3", "write 3 0x01", "write 3 0x00", "write 3 0xFF"}));
    EXPECT_EQ(rig.port.problem(), QString());
}

TEST(LinuxRelayPort, EndingReleasesThePortWithoutWriting)
{
    QStringList journal;
    {
        auto system = std::make_unique<FakePortSystem>(&journal);
        system->addParport(0, "888\t1912\n");
        LinuxRelayPort port(std::move(system));
        ASSERT_TRUE(port.Out32(0x378, 1));
        journal.clear();
    }
    // The relay keeps its last state after the program ends.
    EXPECT_EQ(journal, QStringList({"release 3", "close 3"}));
}

struct RawCase
{
    const char* name;
    int openError; // 0: no device node at all
};

void PrintTo(const RawCase& c, std::ostream* os)
{
    *os << c.name;
}

class RawPortIo : public testing::TestWithParam<RawCase>
{
};

TEST_P(RawPortIo, UsedWhenPpdevIsMissingAndPermitted)
{
    Rig rig;
    if (GetParam().openError)
        rig.system->openErrors.insert("/dev/parport0", GetParam().openError);
    rig.system->rawIoPermitted = true;
    EXPECT_TRUE(rig.port.Out32(0x378, 1));
    EXPECT_TRUE(rig.port.Out32(0x378, 0));
    EXPECT_EQ(rig.system->takeCalls(),
              QStringList({"open /dev/parport0", "ioperm 0x378 1 1", "outb 0x378 0x01", "outb 0x378 0x00"}));
    EXPECT_EQ(rig.port.problem(), QString());
}

INSTANTIATE_TEST_SUITE_P(Relay, RawPortIo,
                         testing::Values(RawCase{"NoDeviceNode", 0}, RawCase{"NoSuchDevice", ENODEV},
                                         RawCase{"NoSuchAddress", ENXIO}, RawCase{"NotInGroupLp", EACCES}),
                         [](const testing::TestParamInfo<RawCase>& info) { return info.param.name; });

struct FailureCase
{
    const char* name;
    quint16 address;
    int openError;  // for the device node; 0 with `claimError` 0: no node
    int claimError; // for PPCLAIM
    QStringList calls;
    QString problem;
};

void PrintTo(const FailureCase& c, std::ostream* os)
{
    *os << c.name;
}

class PortFailure : public testing::TestWithParam<FailureCase>
{
};

TEST_P(PortFailure, IsShownAndLoggedOnce)
{
    const FailureCase& c = GetParam();
    RelayWarnings warnings;
    Rig rig;
    if (c.openError)
        rig.system->openErrors.insert("/dev/parport1", c.openError);
    if (c.claimError) {
        rig.system->addParport(1, "632\t1656\n");
        rig.system->claimError = c.claimError;
    }
    EXPECT_FALSE(rig.port.Out32(c.address, 1));
    EXPECT_EQ(rig.system->takeCalls(), c.calls);
    EXPECT_EQ(rig.port.problem(), c.problem);
    for (int second = 0; second < 30; ++second)
        EXPECT_FALSE(rig.port.Out32(c.address, 0));
    EXPECT_EQ(warnings.all().size(), 1) << warnings.all().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(rig.system->openDescriptors(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Relay, PortFailure,
    testing::Values(
        FailureCase{"NeitherPpdevNorRawIo",
                    0x278,
                    0,
                    0,
                    {"open /dev/parport1", "ioperm 0x278 1 1"},
                    "Röle portuna ulaşılamıyor (LPT2, 0x278)"},
        FailureCase{"NotPermitted",
                    0x278,
                    EACCES,
                    0,
                    {"open /dev/parport1", "ioperm 0x278 1 1"},
                    "Röle portuna erişim izni yok (LPT2, 0x278)"},
        // A port another driver holds is never driven behind its back.
        FailureCase{"HeldByAnotherProgram",
                    0x278,
                    0,
                    EBUSY,
                    {"open /dev/parport1", "claim 3", "close 3"},
                    "Röle portu başka bir programın kullanımında (LPT2, 0x278)"},
        FailureCase{
            "UnknownAddress", 0xD010, 0, 0, {"ioperm 0xD010 1 1"}, "Röle portuna ulaşılamıyor (0xD010)"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST(LinuxRelayPort, OpensAtALaterWriteOnceTheDeviceAppears)
{
    RelayWarnings warnings;
    Rig rig;
    EXPECT_FALSE(rig.port.Out32(0x3BC, 0));
    EXPECT_EQ(rig.port.problem(), QStringLiteral("Röle portuna ulaşılamıyor (LPT3, 0x3BC)"));
    rig.system->addParport(2, "956\n");
    rig.system->takeCalls();
    EXPECT_TRUE(rig.port.Out32(0x3BC, 1));
    EXPECT_EQ(rig.system->takeCalls(), QStringList({"open /dev/parport2", "claim 3", "write 3 0x01"}));
    EXPECT_EQ(rig.port.problem(), QString());
    EXPECT_EQ(warnings.all().size(), 1);
}

TEST(LinuxRelayPort, FailedWriteIsShownAndTheNextWriteReopens)
{
    Rig rig;
    rig.system->addParport(0, "888\t1912\n");
    ASSERT_TRUE(rig.port.Out32(0x378, 0));
    rig.system->takeCalls();

    rig.system->writeError = EIO;
    EXPECT_FALSE(rig.port.Out32(0x378, 1));
    EXPECT_EQ(rig.system->takeCalls(), QStringList({"write 3 0x01", "release 3", "close 3"}));
    EXPECT_EQ(rig.port.problem(), QStringLiteral("Röle portuna yazılamıyor (LPT1, 0x378)"));

    rig.system->writeError = 0;
    EXPECT_TRUE(rig.port.Out32(0x378, 1));
    EXPECT_EQ(rig.system->takeCalls(), QStringList({"open /dev/parport0", "claim 4", "write 4 0x01"}));
    EXPECT_EQ(rig.port.problem(), QString());
}

TEST(LinuxRelayPort, AnotherAddressReleasesTheFirstPort)
{
    Rig rig;
    rig.system->addParport(0, "888\t1912\n");
    rig.system->addParport(1, "632\t1656\n");
    rig.port.Out32(0x378, 1);
    rig.system->takeCalls();
    EXPECT_TRUE(rig.port.Out32(0x278, 0));
    EXPECT_EQ(rig.system->takeCalls(),
              QStringList({"release 3", "close 3", "open /dev/parport1", "claim 4", "write 4 0x00"}));
}

TEST(LinuxRelayPort, AddressZeroTouchesNothing)
{
    Rig rig;
    rig.system->addParport(0, "888\t1912\n");
    rig.system->rawIoPermitted = true;
    EXPECT_FALSE(rig.port.Out32(0, 1));
    EXPECT_TRUE(rig.system->calls.isEmpty()) << rig.system->calls.join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(rig.port.problem(), QStringLiteral("Röle için LPT portu seçilmemiş"));
}

TEST(SystemRelayPort, RefusesAddressZero)
{
    const std::unique_ptr<RelayPort> port = createSystemRelayPort();
    ASSERT_TRUE(port);
    EXPECT_FALSE(port->Out32(0, 1));
}

} // namespace

#endif
