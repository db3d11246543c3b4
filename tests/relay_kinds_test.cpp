// The relays without an I/O address (USB HID, USB serial, GPIO) through recording fakes of their
// system interfaces: what each writes, how it finds its device, and how it lives through a failed
// write and an unplugged board.
#include "fakes/FakeRelaySystems.h"
#include "relay/GpioRelayPort.h"
#include "relay/HidRelayPort.h"
#include "relay/SerialRelayPort.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
using Kind = RelaySettings::Kind;

const QString Ch340ById = QStringLiteral("/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0");
const QString HidOff3 = QStringLiteral("report 00 FD 03 00 00 00 00 00 00");
const QString HidOn3 = QStringLiteral("report 00 FF 03 00 00 00 00 00 00");
const QString HidOn1 = QStringLiteral("report 00 FF 01 00 00 00 00 00 00");

// A system with two HID boards, one CH340 serial port beside a board port and an FTDI adapter, and
// a 54-line GPIO chip.
struct Systems
{
    FakeRelayWorld world;
    std::unique_ptr<FakeHidSystem> hid = std::make_unique<FakeHidSystem>(world);
    std::unique_ptr<FakeSerialSystem> serial = std::make_unique<FakeSerialSystem>(world);
    std::unique_ptr<FakeGpioSystem> gpio = std::make_unique<FakeGpioSystem>(world);

    Systems()
    {
        hid->boards = {{"/dev/hidraw1", QStringLiteral("USBRelay2"), "ABCDE"},
                       {"/dev/hidraw2", QStringLiteral("USBRelay8"), "QAAMZ"}};
        serial->entries = {
            {QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS0"), {}, 0, 0},
            {QStringLiteral("/dev/ttyUSB1"), QStringLiteral("/dev/ttyUSB1"),
             QStringLiteral("FT232R USB UART"), 0x0403, 0x6001},
            {Ch340ById, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("USB Serial"), 0x1a86, 0x7523}};
    }

    std::unique_ptr<RelayPort> port(const RelaySettings& relay)
    {
        switch (relay.kind) {
        case Kind::UsbHid:
            return std::make_unique<HidRelayPort>(std::move(hid), relay);
        case Kind::UsbSerial:
            return std::make_unique<SerialRelayPort>(std::move(serial), relay);
        case Kind::Gpio:
            return std::make_unique<GpioRelayPort>(std::move(gpio), relay);
        case Kind::Lpt:
            break;
        }
        return nullptr;
    }
};

struct KindCase
{
    const char* name;
    RelaySettings relay;
    QString device;         // what goes missing when the board is unplugged
    QStringList changes;    // the journal of writes 0, 0, 1, 1, 0 on a fresh port
    QStringList ending;     // the journal as the port ends
    QStringList reopening;  // a write of 0 after a failure
    QString writeProblem;   // shown after a write failed
    QString missingProblem; // shown while the board is unplugged
};

void PrintTo(const KindCase& c, std::ostream* os)
{
    *os << c.name;
}

const KindCase KindCases[] = {
    {"UsbHid",
     {Kind::UsbHid, QStringLiteral("QAAMZ"), 3, false},
     QStringLiteral("/dev/hidraw2"),
     {"open /dev/hidraw1", "close /dev/hidraw1", "open /dev/hidraw2", HidOff3, HidOn3, HidOff3},
     {"close /dev/hidraw2"},
     {"open /dev/hidraw1", "close /dev/hidraw1", "open /dev/hidraw2", HidOff3},
     QStringLiteral("Röle kartına yazılamıyor (USB HID, QAAMZ, kanal 3)"),
     QStringLiteral("Röle kartına ulaşılamıyor (USB HID, QAAMZ, kanal 3)")},
    {"UsbSerial",
     {Kind::UsbSerial, QStringLiteral("/dev/ttyUSB0"), 1, false},
     QStringLiteral("/dev/ttyUSB0"),
     {"open /dev/ttyUSB0", "write A0 01 00 A1", "write A0 01 01 A2", "write A0 01 00 A1"},
     {"close /dev/ttyUSB0"},
     {"open /dev/ttyUSB0", "write A0 01 00 A1"},
     QStringLiteral("Röle kartına yazılamıyor (USB seri, /dev/ttyUSB0, kanal 1)"),
     QStringLiteral("Röle kartına ulaşılamıyor (USB seri, /dev/ttyUSB0, kanal 1)")},
    {"Gpio",
     {Kind::Gpio, QStringLiteral("/dev/gpiochip0"), 17, false},
     QStringLiteral("/dev/gpiochip0"),
     {"open /dev/gpiochip0", "request 17 output 0", "set 17 1", "set 17 0"},
     {"release 17", "close /dev/gpiochip0"},
     {"open /dev/gpiochip0", "request 17 output 0"},
     QStringLiteral("GPIO hattına yazılamıyor (/dev/gpiochip0, hat 17)"),
     QStringLiteral("GPIO hattına ulaşılamıyor (/dev/gpiochip0, hat 17)")},
};

class RelayKind : public testing::TestWithParam<KindCase>
{
};

TEST_P(RelayKind, WritesOncePerChangeAndEndsWithoutWriting)
{
    const KindCase& c = GetParam();
    Systems systems;
    auto port = systems.port(c.relay);
    for (const quint16 value : {0, 0, 1, 1, 0})
        EXPECT_TRUE(port->Out32(0, value));
    EXPECT_EQ(systems.world.take(), c.changes);
    EXPECT_EQ(port->problem(), QString());
    port.reset(); // the relay keeps its state after the program ends
    EXPECT_EQ(systems.world.take(), c.ending);
}

TEST_P(RelayKind, FailedWriteIsShownAndTheNextWriteOpensAfresh)
{
    const KindCase& c = GetParam();
    Systems systems;
    auto port = systems.port(c.relay);
    ASSERT_TRUE(port->Out32(0, 1));
    systems.world.take();
    systems.world.writesFail = true;
    EXPECT_FALSE(port->Out32(0, 0));
    EXPECT_EQ(port->problem(), c.writeProblem);
    systems.world.writesFail = false;
    systems.world.take();
    // The same value again: the relay's state is not known after a failure, so it is written.
    EXPECT_TRUE(port->Out32(0, 0));
    EXPECT_EQ(systems.world.take(), c.reopening);
    EXPECT_EQ(port->problem(), QString());
}

TEST_P(RelayKind, UnpluggedBoardIsShownAndDrivenAgainOncePluggedBack)
{
    const KindCase& c = GetParam();
    Systems systems;
    auto port = systems.port(c.relay);
    ASSERT_TRUE(port->Out32(0, 1));
    systems.world.missing.insert(c.device);
    EXPECT_FALSE(port->Out32(0, 0));
    for (int second = 0; second < 3; ++second)
        EXPECT_FALSE(port->Out32(0, 0));
    EXPECT_EQ(port->problem(), c.missingProblem);
    systems.world.missing.clear();
    systems.world.take();
    EXPECT_TRUE(port->Out32(0, 0));
    EXPECT_EQ(systems.world.take(), c.reopening);
    EXPECT_EQ(port->problem(), QString());

    // With no write to come, the look every second notices both the unplug and the return.
    port->check();
    EXPECT_EQ(systems.world.take(), QStringList());
    systems.world.missing.insert(c.device);
    port->check();
    EXPECT_EQ(port->problem(), c.missingProblem);
    systems.world.missing.clear();
    systems.world.take();
    port->check();
    EXPECT_EQ(systems.world.take(), c.reopening);
    EXPECT_EQ(port->problem(), QString());
}

INSTANTIATE_TEST_SUITE_P(Relay, RelayKind, testing::ValuesIn(KindCases),
                         [](const testing::TestParamInfo<KindCase>& info) { return info.param.name; });

struct FindCase
{
    const char* name;
    RelaySettings relay;
    std::function<void(Systems&)> setUp;
    QStringList journal; // of one write of 1
    QString problem;     // empty: the write went through
};

void PrintTo(const FindCase& c, std::ostream* os)
{
    *os << c.name;
}

const std::function<void(Systems&)> Nothing = [](Systems&) {};

const FindCase FindCases[] = {
    {"HidFirstBoard", {Kind::UsbHid, {}, 1, false}, Nothing, {"open /dev/hidraw1", HidOn1}, {}},
    {"HidByPath",
     {Kind::UsbHid, QStringLiteral("/dev/hidraw2"), 1, false},
     Nothing,
     {"open /dev/hidraw2", HidOn1},
     {}},
    {"HidSerialNotAttached",
     {Kind::UsbHid, QStringLiteral("ZZZZZ"), 1, false},
     Nothing,
     {"open /dev/hidraw1", "close /dev/hidraw1", "open /dev/hidraw2", "close /dev/hidraw2"},
     QStringLiteral("Röle kartına ulaşılamıyor (USB HID, ZZZZZ, kanal 1)")},
    {"HidChannelBeyondTheBoard",
     {Kind::UsbHid, QStringLiteral("ABCDE"), 3, false},
     Nothing,
     {"open /dev/hidraw1", "close /dev/hidraw1"},
     QStringLiteral("Röle kartında bu kanal yok (USB HID, ABCDE, kanal 3)")},
    {"HidWithoutTheUdevRule",
     {Kind::UsbHid, {}, 1, false},
     [](Systems& s) { s.world.openError = EACCES; },
     {},
     QStringLiteral("Röle kartına erişim izni yok (USB HID, ilk bulunan kart, kanal 1)")},
    {"SerialFirstCh340",
     {Kind::UsbSerial, {}, 2, false},
     Nothing,
     {"open " + Ch340ById, "write A0 02 01 A3"},
     {}},
    {"SerialFirstFoundIsNeverAnotherChip",
     {Kind::UsbSerial, {}, 1, false},
     [](Systems& s) { s.serial->entries.removeLast(); },
     {},
     QStringLiteral("Röle kartına ulaşılamıyor (USB seri, ilk bulunan CH340 port, kanal 1)")},
    {"HidPathOfAnotherDevice",
     {Kind::UsbHid, QStringLiteral("/dev/hidraw3"), 1, false},
     [](Systems& s) {
         s.hid->boards.append({"/dev/hidraw3", QStringLiteral("DigiUSB"), {}});
     },
     {"open /dev/hidraw3", "close /dev/hidraw3"},
     QStringLiteral("Seçilen aygıt bir röle kartı değil (USB HID, /dev/hidraw3, kanal 1)")},
    {"SerialNoUsbPort",
     {Kind::UsbSerial, {}, 1, false},
     [](Systems& s) { s.serial->entries.remove(1, 2); },
     {},
     QStringLiteral("Röle kartına ulaşılamıyor (USB seri, ilk bulunan CH340 port, kanal 1)")},
    {"GpioFirstChipActiveLow",
     {Kind::Gpio, {}, 4, true},
     Nothing,
     {"open /dev/gpiochip0", "request 4 output active-low 1"},
     {}},
    {"GpioLineBeyondTheChip",
     {Kind::Gpio, QStringLiteral("/dev/gpiochip0"), 60, false},
     Nothing,
     {"open /dev/gpiochip0", "close /dev/gpiochip0"},
     QStringLiteral("GPIO yongasında bu hat yok (/dev/gpiochip0, hat 60)")},
    {"GpioLineHeldElsewhere",
     {Kind::Gpio, QStringLiteral("/dev/gpiochip0"), 17, false},
     [](Systems& s) { s.gpio->requestError = EBUSY; },
     {"open /dev/gpiochip0", "request 17 output 1", "close /dev/gpiochip0"},
     QStringLiteral("GPIO hattı başka bir programın kullanımında (/dev/gpiochip0, hat 17)")},
    {"GpioOutsideGroupGpio",
     {Kind::Gpio, {}, 17, false},
     [](Systems& s) { s.world.openError = EACCES; },
     {},
     QStringLiteral("GPIO hattına erişim izni yok (ilk GPIO yongası, hat 17)")},
};

class RelayDeviceLookup : public testing::TestWithParam<FindCase>
{
};

TEST_P(RelayDeviceLookup, FindsItsDeviceOrSaysWhy)
{
    const FindCase& c = GetParam();
    Systems systems;
    c.setUp(systems);
    auto port = systems.port(c.relay);
    EXPECT_EQ(port->Out32(0, 1), c.problem.isEmpty());
    EXPECT_EQ(systems.world.take(), c.journal);
    EXPECT_EQ(port->problem(), c.problem);
}

INSTANTIATE_TEST_SUITE_P(Relay, RelayDeviceLookup, testing::ValuesIn(FindCases),
                         [](const testing::TestParamInfo<FindCase>& info) { return info.param.name; });

TEST(SerialRelayPort, CommandCarriesChannelStateAndChecksum)
{
    const std::tuple<int, bool, QByteArray> cases[] = {
        {1, true, QByteArray::fromHex("A00101A2")}, {1, false, QByteArray::fromHex("A00100A1")},
        {2, true, QByteArray::fromHex("A00201A3")}, {8, false, QByteArray::fromHex("A00800A8")},
        {8, true, QByteArray::fromHex("A00801A9")},
    };
    for (const auto& [channel, on, bytes] : cases)
        EXPECT_EQ(SerialRelayPort::command(channel, on), bytes) << channel << on;
}

TEST(RelayDevices, EachKindListsWhatTheOperatorCanChoose)
{
    Systems systems;
    systems.world.missing.insert(QStringLiteral("/dev/hidraw1"));
    EXPECT_EQ(HidRelayPort::boards(*systems.hid),
              QList<RelayDevice>(
                  {{QStringLiteral("QAAMZ"), QStringLiteral("USBRelay8, seri no QAAMZ (/dev/hidraw2)")}}));
    // Only USB ports; each by the link that names the board, where there is one.
    EXPECT_EQ(SerialRelayPort::ports(*systems.serial),
              QList<RelayDevice>({{QStringLiteral("/dev/ttyUSB1"),
                                   QStringLiteral("/dev/ttyUSB1, FT232R USB UART (0403:6001)")},
                                  {Ch340ById, QStringLiteral("/dev/ttyUSB0, USB Serial (1a86:7523)")}}));
    EXPECT_EQ(GpioRelayPort::chips(*systems.gpio),
              QList<RelayDevice>({{QStringLiteral("/dev/gpiochip0"),
                                   QStringLiteral("/dev/gpiochip0, pinctrl-bcm2835 (54 hat)")}}));
}

} // namespace
