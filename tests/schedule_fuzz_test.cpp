#include "schedule/DayFile.h"
#include "schedule/SettingsFiles.h"
#include "schedule/TextCodec.h"
#include "schedule/TextFile.h"
#include "support/TempFolder.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>

// Random and cut-off bytes fed to every reader of the stored files: nothing may crash or hang, and
// what comes back stays within the shape each caller relies on. The seed is fixed, so a failure
// repeats on every run.

namespace {
const QString Monday = QStringLiteral("Pazartesi");

// Bytes biased towards what breaks line readers: line ends, quotes, digits and high bytes.
QByteArray randomBytes(std::mt19937& random, int maxLength)
{
    static const char Interesting[] = {'\r', '\n', '"', '0', '1', '9', '-', ':', ' ', '\0'};
    std::uniform_int_distribution<int> length(0, maxLength);
    std::uniform_int_distribution<int> kind(0, 3);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> pick(0, sizeof(Interesting) - 1);
    QByteArray bytes(length(random), '\0');
    for (char& ch : bytes)
        ch = kind(random) == 0 ? static_cast<char>(byte(random)) : Interesting[pick(random)];
    return bytes;
}

// Runs every reader over the folder and checks what each caller may assume.
void readEverything(const ProgramFolder& folder)
{
    DaySchedule slots;
    const int reached = readDayFile(folder, Monday, slots);
    ASSERT_GE(reached, 0);
    ASSERT_LE(reached, Slots::Count);
    for (const QString& slot : slots)
        ASSERT_LE(slot.size(), 5);

    const SettingsFiles::Uygulama u = SettingsFiles::readUygulama(folder);
    if (u.programPath) {
        ASSERT_LE(u.programPath->size(), TextFile::MaxLineBytes);
    }
    const SettingsFiles::Melodi m = SettingsFiles::readMelodi(folder);
    if (m.volumeText)
        SettingsFiles::leadingNumber(*m.volumeText);
    const SettingsFiles::Kapat k = SettingsFiles::readKapat(folder);
    if (k.weekday) {
        ASSERT_LE(k.weekday->size(), 5);
    }
    ASSERT_LE(SettingsFiles::readMuzikler(folder).size(), SettingsFiles::MusicListLimit);
    SettingsFiles::readPort(folder);
}

const QStringList& allFiles()
{
    static const QStringList files{QStringLiteral("saatler/Pazartesi.txt"),
                                   QStringLiteral("uygulama.txt"),
                                   QStringLiteral("melodi.txt"),
                                   QStringLiteral("kapat.txt"),
                                   QStringLiteral("muzikler.txt"),
                                   QStringLiteral("port.txt")};
    return files;
}
} // namespace

TEST(ReaderFuzz, RandomBytesNeverBreakAReader)
{
    std::mt19937 random(20261207u);
    TempFolder t;
    for (int round = 0; round < 150; ++round) {
        for (const QString& file : allFiles())
            t.write(file, randomBytes(random, 2048));
        ASSERT_NO_FATAL_FAILURE(readEverything(t.folder)) << "round " << round;
    }
}

TEST(ReaderFuzz, EveryCutOfValidFilesReads)
{
    TempFolder source;
    DaySchedule day;
    day.fill(QStringLiteral("08:40"));
    ASSERT_TRUE(writeDayFile(source.folder, Monday, day));
    std::array<int, SettingsFiles::MelodiLines> melodi{};
    melodi.fill(1);
    ASSERT_TRUE(SettingsFiles::writeMelodi(source.folder, melodi));
    ASSERT_TRUE(SettingsFiles::writeUygulama(source.folder, QStringLiteral("/opt/radyo çalar"),
                                             QStringLiteral("radyo"), 0));
    ASSERT_TRUE(SettingsFiles::writeKapat(source.folder, QStringLiteral("17:00"), QStringLiteral("18:00")));
    ASSERT_TRUE(SettingsFiles::writeMuzikler(source.folder, {QStringLiteral("/müzik/a.mp3")}));
    ASSERT_TRUE(SettingsFiles::writePort(source.folder, 2));

    QStringList stored = allFiles();
    stored[2] = QStringLiteral("Melodi.txt");
    TempFolder t;
    for (const QString& file : stored) {
        const QByteArray whole = source.read(file);
        ASSERT_FALSE(whole.isEmpty()) << file.toStdString();
        for (qsizetype cut = 0; cut <= whole.size(); cut += 3) {
            t.write(file, whole.left(cut));
            ASSERT_NO_FATAL_FAILURE(readEverything(t.folder)) << file.toStdString() << " cut at " << cut;
        }
    }
}

TEST(ReaderFuzz, HugeLinelessFileIsReadQuickly)
{
    TempFolder t;
    std::mt19937 random(7u);
    QByteArray blob(4 << 20, '\0');
    for (char& ch : blob)
        ch = static_cast<char>(0x80 | (random() & 0x7F)); // no line end anywhere
    for (const QString& file : allFiles())
        t.write(file, blob);
    ASSERT_NO_FATAL_FAILURE(readEverything(t.folder));
    EXPECT_EQ(SettingsFiles::readMuzikler(t.folder).size(), 1);
}

TEST(TextCodecFuzz, EveryValueWithoutLineBreaksReadsBackAsWritten)
{
    std::mt19937 random(1254u);
    // ASCII, Turkish letters, other Latin letters, Cyrillic, symbols and an emoji.
    const QStringList alphabet =
        QStringLiteral("a Z 0 9 : \" ç Ç ğ Ğ ı İ ö Ö ş Ş ü Ü € ã Ã § © ¤ Ж ю → ✓ 😀 ").split(QLatin1Char(' '));
    std::uniform_int_distribution<int> length(0, 12);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(alphabet.size()) - 1);
    for (int round = 0; round < 2000; ++round) {
        QString text;
        for (int i = length(random); i > 0; --i)
            text += alphabet.at(pick(random)); // the empty token stands for a blank
        ASSERT_EQ(TextCodec::decode(TextCodec::encode(text)), text) << text.toStdString();
    }
}
