#include "schedule/AppSettings.h"
#include "support/TempFolder.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

#ifndef Q_OS_WIN // Windows has neither FIFOs nor inotify
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
using Kind = RelaySettings::Kind;

struct ReadCase
{
    const char* name;
    QByteArray ini;
    int warmUp;
    Kind kind;
    QString device;
    int channel;
    bool activeLow;
};

class AppSettingsRead : public ::testing::TestWithParam<ReadCase>
{
};

const ReadCase readCases[] = {
    {"Empty", "", 0, Kind::Lpt, {}, 1, false},
    {"WarmUpAndSerialRelay", "[Amfi]\nIsinmaSuresi=2\n[Role]\nTur=usb-seri\nAygit=/dev/ttyUSB0\nKanal=3\n", 2,
     Kind::UsbSerial, QStringLiteral("/dev/ttyUSB0"), 3, false},
    {"GpioActiveLowLineZero", "[Role]\nTur=gpio\nAygit=/dev/gpiochip0\nKanal=0\nAktifDusuk=1\n", 0,
     Kind::Gpio, QStringLiteral("/dev/gpiochip0"), 0, true},
    {"HidBySerial", "[Role]\nTur=usb-hid\nAygit=QAAMZ\nKanal=8\n", 0, Kind::UsbHid, QStringLiteral("QAAMZ"),
     8, false},
    {"WarmUpAboveTen", "[Amfi]\nIsinmaSuresi=11\n", 0, Kind::Lpt, {}, 1, false},
    {"WarmUpNegative", "[Amfi]\nIsinmaSuresi=-1\n", 0, Kind::Lpt, {}, 1, false},
    {"WarmUpNotANumber", "[Amfi]\nIsinmaSuresi=iki\n", 0, Kind::Lpt, {}, 1, false},
    {"WarmUpTen", "[Amfi]\nIsinmaSuresi=10\n", 10, Kind::Lpt, {}, 1, false},
    {"UnknownKindIsLpt", "[Role]\nTur=bluetooth\nKanal=2\n", 0, Kind::Lpt, {}, 2, false},
    {"KindIsCaseSensitive", "[Role]\nTur=USB-HID\n", 0, Kind::Lpt, {}, 1, false},
    {"ChannelNineIsOne", "[Role]\nTur=usb-hid\nKanal=9\n", 0, Kind::UsbHid, {}, 1, false},
    {"ChannelZeroIsOneForUsb", "[Role]\nTur=usb-seri\nKanal=0\n", 0, Kind::UsbSerial, {}, 1, false},
    {"ChannelGarbageIsOne", "[Role]\nTur=usb-seri\nKanal=bir\n", 0, Kind::UsbSerial, {}, 1, false},
    {"ActiveLowOtherThanOneIsOff", "[Role]\nTur=gpio\nAktifDusuk=2\n", 0, Kind::Gpio, {}, 1, false},
    {"BinaryGarbage", QByteArray("\x00\xff[[=\n\x01", 7), 0, Kind::Lpt, {}, 1, false},
    {"HandEditWithBlanksCommentsAndCrLf",
     "; bizim\r\n[Role]\r\nTur = usb-seri ; seri kart\r\nAygit = \"/dev/ttyUSB "
     "1\"\r\n[Amfi]\r\nIsinmaSuresi= 3\r\n",
     3, Kind::UsbSerial, QStringLiteral("/dev/ttyUSB 1"), 1, false},
};

std::string caseName(const ::testing::TestParamInfo<ReadCase>& info)
{
    return info.param.name;
}
} // namespace

TEST_P(AppSettingsRead, GivesTheValueOrTheBehaviourWithoutTheFile)
{
    const ReadCase& c = GetParam();
    TempFolder f;
    f.write(QStringLiteral("ayarlar.ini"), c.ini);
    const AppSettings s = AppSettings::read(f.folder);
    EXPECT_EQ(s.warmUpSeconds, c.warmUp);
    EXPECT_EQ(s.relay.kind, c.kind);
    EXPECT_EQ(s.relay.device, c.device);
    EXPECT_EQ(s.relay.channel, c.channel);
    EXPECT_EQ(s.relay.activeLow, c.activeLow);
}
INSTANTIATE_TEST_SUITE_P(Cases, AppSettingsRead, ::testing::ValuesIn(readCases), caseName);

TEST(AppSettings, MissingFileOrAFifoReadsAsDefaultsWithoutBlocking)
{
    TempFolder f;
    EXPECT_EQ(AppSettings::read(f.folder), AppSettings{});
#ifndef Q_OS_WIN
    // A FIFO would block an open for reading until a writer comes; it must be passed over.
    ASSERT_EQ(::mkfifo(QFile::encodeName(f.dir.filePath(QStringLiteral("ayarlar.ini"))).constData(), 0600),
              0);
    EXPECT_EQ(AppSettings::read(f.folder), AppSettings{});
    AppSettings s;
    s.warmUpSeconds = 3;
    EXPECT_FALSE(s.write(f.folder)) << "a FIFO is never written through";

    // Nor is a link planted in its place.
    TempFolder linked;
    linked.write(QStringLiteral("passwd"), "root:x:0:0\n");
    ASSERT_TRUE(QFile::link(linked.dir.filePath(QStringLiteral("passwd")),
                            linked.dir.filePath(QStringLiteral("ayarlar.ini"))));
    EXPECT_FALSE(s.write(linked.folder));
    EXPECT_EQ(linked.read(QStringLiteral("passwd")), QByteArray("root:x:0:0\n"));
#endif
}

#ifndef Q_OS_WIN
// Read through one open: a look before it would leave a moment in which a FIFO put in its place
// hangs the start.
TEST(AppSettings, FileIsOpenedOnceToBeRead)
{
    TempFolder f;
    f.write(QStringLiteral("ayarlar.ini"), "[Amfi]\nIsinmaSuresi=2\n");
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    const QByteArray path = QFile::encodeName(f.dir.filePath(QStringLiteral("ayarlar.ini")));
    ASSERT_GE(::inotify_add_watch(watch, path.constData(), IN_OPEN | IN_CLOSE_NOWRITE), 0);
    EXPECT_EQ(AppSettings::read(f.folder).warmUpSeconds, 2);
    inotify_event events[16]; // events on the watched file itself carry no name
    const ssize_t n = std::max<ssize_t>(::read(watch, events, sizeof events), 0);
    ::close(watch);
    EXPECT_EQ(
        std::count_if(events, events + n / sizeof(inotify_event), [](auto& e) { return e.mask & IN_OPEN; }),
        1);
}
#endif

TEST(AppSettings, WriteRoundTripsKeepsUnknownKeysAndTouchesNoOtherFile)
{
    TempFolder f;
    f.write(QStringLiteral("Ayarlar.INI"), "[Gelecek]\nAnahtar=deger\n");
    f.write(QStringLiteral("port.txt"), "1\r\n");
    AppSettings s;
    s.warmUpSeconds = 4;
    s.relay = {Kind::UsbSerial, QStringLiteral("/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0"), 2, false};
    ASSERT_TRUE(s.write(f.folder));

    EXPECT_EQ(AppSettings::read(f.folder), s);
    EXPECT_EQ(f.entries(), (QStringList{QStringLiteral("Ayarlar.INI"), QStringLiteral("port.txt")}))
        << "saved under the spelling found, no temporary file left";
    // Lines end as the platform's QSettings ends them: CR LF on Windows, for Notepad.
    const QByteArray bytes = f.read(QStringLiteral("Ayarlar.INI")).replace("\r\n", "\n");
    EXPECT_TRUE(bytes.contains("[Gelecek]\nAnahtar=deger")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("[Amfi]\nIsinmaSuresi=4")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("Tur=usb-seri")) << bytes.toStdString();
    EXPECT_EQ(f.read(QStringLiteral("port.txt")), QByteArray("1\r\n"));

    // "Resmî tatilleri uygula" is on unless the file says 0, and is written alone.
    EXPECT_TRUE(AppSettings::read(f.folder).nationalHolidays);
    ASSERT_TRUE(AppSettings::writeNationalHolidays(f.folder, false));
    s.nationalHolidays = false;
    EXPECT_EQ(AppSettings::read(f.folder), s);
    f.write(QStringLiteral("Ayarlar.INI"), "[Takvim]\nResmiTatiller=hayir\n");
    EXPECT_TRUE(AppSettings::read(f.folder).nationalHolidays) << "a value that is no 0 or 1 keeps the holidays";
}
