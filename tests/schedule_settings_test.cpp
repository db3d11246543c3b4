#include "schedule/DayFile.h"
#include "schedule/SettingsFiles.h"
#include "schedule/TextFile.h"
#include "support/TempFolder.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>

#ifdef Q_OS_WIN
constexpr bool HasFifos = false;
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
constexpr bool HasFifos = true;
#endif

using namespace SettingsFiles;

namespace {
QByteArray lines(const QList<QByteArray>& values)
{
    QByteArray bytes;
    for (const QByteArray& v : values)
        bytes += v + "\r\n";
    return bytes;
}

std::array<int, MelodiLines> sampleMelodi()
{
    // Positions 2, -1, 8; switches; volume 75; music at lessons 1 and 17; assembly melody 0.
    return {2, -1, 8, 1, 0, 1, 0, 1, 75, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
}
} // namespace

TEST(Uygulama, RoundTripIsByteExactAndStable)
{
    TempFolder t;
    const QString path = QStringLiteral("C:\\Program Files\\Radyo Çalar\\radyo.exe");
    ASSERT_TRUE(writeUygulama(t.folder, path, QStringLiteral("radyo.exe"), 1));
    const QByteArray bytes = lines({"\"C:\\Program Files\\Radyo \xC7"
                                    "alar\\radyo.exe\"",
                                    "\"radyo.exe\"", "1"});
    EXPECT_EQ(t.read(QStringLiteral("uygulama.txt")), bytes);

    for (int round = 0; round < 3; ++round) {
        const Uygulama u = readUygulama(t.folder);
        EXPECT_EQ(u.programPath, path);
        EXPECT_EQ(u.imageName, QStringLiteral("radyo.exe"));
        EXPECT_EQ(u.check33, 1);
        ASSERT_TRUE(writeUygulama(t.folder, *u.programPath, *u.imageName, *u.check33));
    }
    EXPECT_EQ(t.read(QStringLiteral("uygulama.txt")), bytes);
}

TEST(Melodi, IsSavedAsMelodiTxtWithTwentySevenNumbers)
{
    TempFolder t;
    ASSERT_TRUE(writeMelodi(t.folder, sampleMelodi()));
    EXPECT_EQ(t.entries(), QStringList{QStringLiteral("Melodi.txt")});
    QByteArray expected;
    for (int v : sampleMelodi())
        expected += QByteArray::number(v) + "\r\n";
    EXPECT_EQ(t.read(QStringLiteral("Melodi.txt")), expected);

    const Melodi m = readMelodi(t.folder);
    for (int i = 0; i < MelodiLines; ++i)
        EXPECT_EQ(m.lines[i], sampleMelodi()[i]) << "line " << i + 1;
    EXPECT_EQ(m.volumeText, QStringLiteral("75"));
}

TEST(Melodi, SavingReplacesAnExistingFileOfAnyCase)
{
    for (const QString& existing : {QStringLiteral("melodi.txt"), QStringLiteral("MELODI.TXT")}) {
        TempFolder t;
        t.write(existing, lines({"5"}));
        EXPECT_EQ(readMelodi(t.folder).lines[0], 5) << existing.toStdString();
        ASSERT_TRUE(writeMelodi(t.folder, sampleMelodi()));
        EXPECT_EQ(asTheFileSystemSees(t.entries()), asTheFileSystemSees({QStringLiteral("Melodi.txt")}))
            << existing.toStdString();
        EXPECT_EQ(readMelodi(t.folder).lines[0], 2) << existing.toStdString();
    }
}

TEST(Melodi, TwoSpellingsBecomeOneOnSave)
{
    TempFolder t;
    t.write(QStringLiteral("melodi.txt"), lines({"5"}));
    t.write(QStringLiteral("Melodi.txt"), lines({"6"}));
    ASSERT_TRUE(writeMelodi(t.folder, sampleMelodi()));
    EXPECT_EQ(t.entries(), QStringList{QStringLiteral("Melodi.txt")});
    EXPECT_EQ(readMelodi(t.folder).lines[0], 2);
}

TEST(Melodi, BadLinesGiveNoValueAndLaterLinesStillCount)
{
    TempFolder t;
    t.write(QStringLiteral("melodi.txt"),
            lines({"x", "", "12", " 1 ", "1.5", "-1", "99999999999", "+1", "75abc"}));
    const Melodi m = readMelodi(t.folder);
    EXPECT_EQ(m.lines[0], std::nullopt);
    EXPECT_EQ(m.lines[1], std::nullopt);
    EXPECT_EQ(m.lines[2], 12); // the range is the control's business
    EXPECT_EQ(m.lines[3], 1);
    EXPECT_EQ(m.lines[4], std::nullopt);
    EXPECT_EQ(m.lines[5], -1);
    EXPECT_EQ(m.lines[6], std::nullopt);
    EXPECT_EQ(m.lines[7], 1);
    EXPECT_EQ(m.lines[8], std::nullopt);
    EXPECT_EQ(m.volumeText, QStringLiteral("75abc"));
    EXPECT_EQ(m.lines[9], std::nullopt); // no line 10
}

TEST(Melodi, LinesAfterTheTwentySeventhAreIgnored)
{
    TempFolder t;
    QList<QByteArray> values(300, "1");
    t.write(QStringLiteral("melodi.txt"), lines(values));
    const Melodi m = readMelodi(t.folder);
    for (const std::optional<int>& line : m.lines)
        EXPECT_EQ(line, 1);
}

TEST(LeadingNumber, TakesTheNumberAtTheStartOfTheText)
{
    const std::pair<const char*, int> cases[] = {
        {"100", 100}, {"75abc", 75},
        {"x", 0},     {"", 0},
        {"  42", 42}, {"-5", -5},
        {"50.4", 50}, {"50.6", 51},
        {"5.", 5},    {"+7", 7},
        {".", 0},     {"-", 0},
        {"1e3", 1},   {"9999999999999", std::numeric_limits<int>::max()}};
    for (const auto& [text, number] : cases)
        EXPECT_EQ(leadingNumber(QString::fromLatin1(text)), number) << text;
}

TEST(Kapat, RoundTripIsByteExact)
{
    TempFolder t;
    ASSERT_TRUE(writeKapat(t.folder, QStringLiteral("17:00"), QStringLiteral("18:30")));
    const QByteArray bytes = lines({"\"17:00\"", "\"18:30\""});
    EXPECT_EQ(t.read(QStringLiteral("kapat.txt")), bytes);
    const Kapat k = readKapat(t.folder);
    EXPECT_EQ(k.weekday, QStringLiteral("17:00"));
    EXPECT_EQ(k.weekend, QStringLiteral("18:30"));
    ASSERT_TRUE(writeKapat(t.folder, *k.weekday, *k.weekend));
    EXPECT_EQ(t.read(QStringLiteral("kapat.txt")), bytes);
}

TEST(Kapat, TimesAreTheFiveCharactersAfterTheFirst)
{
    TempFolder t;
    ASSERT_TRUE(writeKapat(t.folder, QStringLiteral("7:00"), QString()));
    const Kapat k = readKapat(t.folder);
    EXPECT_EQ(k.weekday, QStringLiteral("7:00\""));
    EXPECT_EQ(k.weekend, QStringLiteral("\""));

    t.write(QStringLiteral("kapat.txt"), lines({"\"17:00:00\"", "x", "\"01:00\""}));
    const Kapat cut = readKapat(t.folder);
    EXPECT_EQ(cut.weekday, QStringLiteral("17:00"));
    EXPECT_EQ(cut.weekend, std::nullopt); // too short to hold a quoted time
}

TEST(Muzikler, RoundTripIsByteExact)
{
    TempFolder t;
    const QStringList list{QStringLiteral("/home/okul/Müzik/şarkı 1.mp3"), QStringLiteral("D:\\mp3\\b.mp3")};
    ASSERT_TRUE(writeMuzikler(t.folder, list));
    EXPECT_EQ(t.read(QStringLiteral("muzikler.txt")), lines({"\"/home/okul/M\xFCzik/\xFE"
                                                             "ark\xFD 1.mp3\"",
                                                             "\"D:\\mp3\\b.mp3\""}));
    EXPECT_EQ(readMuzikler(t.folder), list);
}

TEST(Muzikler, EmptyListGivesAnEmptyFile)
{
    TempFolder t;
    t.write(QStringLiteral("muzikler.txt"), lines({"\"old.mp3\""}));
    ASSERT_TRUE(writeMuzikler(t.folder, {}));
    EXPECT_TRUE(t.exists(QStringLiteral("muzikler.txt")));
    EXPECT_EQ(t.read(QStringLiteral("muzikler.txt")), QByteArray());
    EXPECT_EQ(readMuzikler(t.folder), QStringList());
}

TEST(Muzikler, ShortLinesAddNoEntryAndTheListStopsAtItsLimit)
{
    TempFolder t;
    QList<QByteArray> values{"", "x", "\"a.mp3\""};
    for (int i = 0; i < 400; ++i)
        values << "\"" + QByteArray::number(i) + ".mp3\"";
    t.write(QStringLiteral("muzikler.txt"), lines(values));
    const QStringList list = readMuzikler(t.folder);
    ASSERT_EQ(list.size(), MusicListLimit - 2); // lines 1 and 2 give nothing, 351 on are not read
    EXPECT_EQ(list.first(), QStringLiteral("a.mp3"));
    EXPECT_EQ(list.last(), QStringLiteral("346.mp3"));
}

TEST(Muzikler, VeryLongLineIsReadInBoundedMemory)
{
    TempFolder t;
    t.write(QStringLiteral("muzikler.txt"), "\"" + QByteArray(4 << 20, 'a') + "\"\r\n\"b.mp3\"\r\n");
    const QStringList list = readMuzikler(t.folder);
    ASSERT_EQ(list.size(), 2);
    EXPECT_LE(list.first().size(), TextFile::MaxLineBytes);
    EXPECT_EQ(list.last(), QStringLiteral("b.mp3"));
}

TEST(Port, RoundTripIsByteExact)
{
    TempFolder t;
    ASSERT_TRUE(writePort(t.folder, 3));
    EXPECT_EQ(t.read(QStringLiteral("port.txt")), QByteArray("3\r\n"));
    EXPECT_EQ(readPort(t.folder), 3);
}

TEST(Port, LastNumericLineWins)
{
    const std::pair<QByteArray, std::optional<int>> cases[] = {{lines({"2", "3"}), 3},
                                                               {lines({"3", "abc"}), 3},
                                                               {lines({"3", ""}), 3},
                                                               {lines({"x"}), std::nullopt},
                                                               {QByteArray(), std::nullopt},
                                                               {"1", 1},
                                                               {lines({"7"}), 7}};
    for (const auto& [bytes, port] : cases) {
        TempFolder t;
        t.write(QStringLiteral("port.txt"), bytes);
        EXPECT_EQ(readPort(t.folder), port) << bytes.toStdString();
    }
}

TEST(Port, LinesPastFiftyAreNotRead)
{
    TempFolder t;
    QList<QByteArray> values(50, "1");
    values << "3";
    t.write(QStringLiteral("PORT.TXT"), lines(values));
    EXPECT_EQ(readPort(t.folder), 1);
}

TEST(SettingsFiles, MissingFilesReadAsEmpty)
{
    TempFolder t;
    const Uygulama u = readUygulama(t.folder);
    EXPECT_FALSE(u.programPath || u.imageName || u.check33);
    const Melodi m = readMelodi(t.folder);
    EXPECT_FALSE(m.volumeText);
    for (const std::optional<int>& line : m.lines)
        EXPECT_FALSE(line);
    const Kapat k = readKapat(t.folder);
    EXPECT_FALSE(k.weekday || k.weekend);
    EXPECT_TRUE(readMuzikler(t.folder).isEmpty());
    EXPECT_FALSE(readPort(t.folder));
}

TEST(Uygulama, ShortOrNonNumericLinesGiveNoValue)
{
    TempFolder t;
    t.write(QStringLiteral("uygulama.txt"), lines({"\"", "\"\"", "bir"}));
    const Uygulama u = readUygulama(t.folder);
    EXPECT_EQ(u.programPath, std::nullopt);
    EXPECT_EQ(u.imageName, QString()); // two quotes: an empty value
    EXPECT_EQ(u.check33, std::nullopt);
}

struct WriterCase
{
    const char* file; // the name the writer saves under
    std::function<bool(const ProgramFolder&)> write;
};

TEST(SettingsFiles, WritersReportFailureAndKeepTheOldFile)
{
    const WriterCase writers[] = {
        {"uygulama.txt", [](const ProgramFolder& f) { return writeUygulama(f, "a.exe", "a.exe", 0); }},
        {"Melodi.txt", [](const ProgramFolder& f) { return writeMelodi(f, sampleMelodi()); }},
        {"kapat.txt", [](const ProgramFolder& f) { return writeKapat(f, "17:00", "18:00"); }},
        {"muzikler.txt", [](const ProgramFolder& f) { return writeMuzikler(f, {"a.mp3"}); }},
        {"port.txt", [](const ProgramFolder& f) { return writePort(f, 1); }},
        {"saatler/Pazartesi.txt",
         [](const ProgramFolder& f) { return writeDayFile(f, QStringLiteral("Pazartesi"), DaySchedule()); }},
    };
    for (const WriterCase& w : writers) {
        TempFolder asFolder; // the file's name is taken by a folder
        asFolder.makeDir(QString::fromLatin1(w.file));
        EXPECT_FALSE(w.write(asFolder.folder)) << w.file;

        // A link planted in the file's place, by whoever may write to a shared folder, to a file of
        // the system: run as root, the program would otherwise overwrite it.
        TempFolder linked;
        linked.write(QStringLiteral("passwd"), "root:x:0:0::/root:/bin/sh\n");
        linked.makeDir(QStringLiteral("saatler"));
        ASSERT_TRUE(QFile::link(linked.dir.filePath(QStringLiteral("passwd")),
                                linked.dir.filePath(QString::fromLatin1(w.file))));
        const bool written = w.write(linked.folder);
#ifndef Q_OS_WIN // there QFile::link makes a shortcut: a file of its own, which no write follows
        EXPECT_FALSE(written) << w.file;
#endif
        EXPECT_EQ(linked.read(QStringLiteral("passwd")), QByteArray("root:x:0:0::/root:/bin/sh\n")) << w.file;

        TempFolder interrupted;
        interrupted.write(QString::fromLatin1(w.file), "old\r\n");
        TextFile::interruptNextWrite();
        EXPECT_FALSE(w.write(interrupted.folder)) << w.file;
        EXPECT_EQ(interrupted.read(QString::fromLatin1(w.file)), QByteArray("old\r\n")) << w.file;
        EXPECT_TRUE(w.write(interrupted.folder)) << w.file;
    }
}

TEST(SettingsFiles, WriterFailsWhenTheProgramFolderIsAFile)
{
    TempFolder t;
    t.write(QStringLiteral("blocked"), "a file");
    const ProgramFolder blocked(t.dir.filePath(QStringLiteral("blocked")));
    EXPECT_FALSE(writePort(blocked, 2));
    EXPECT_FALSE(writeKapat(blocked, QStringLiteral("17:00"), QStringLiteral("18:00")));
    EXPECT_EQ(t.read(QStringLiteral("blocked")), QByteArray("a file"));
}

namespace {
// Runs a reader on another thread. A reader stuck in the open of a FIFO is freed by opening the
// FIFO's other end, and the case fails instead of hanging the suite.
bool readsWithoutBlocking(const std::function<int()>& read, const QString& fifo, int& lines)
{
    auto reading = std::async(std::launch::async, read);
    if (reading.wait_for(std::chrono::seconds(10)) == std::future_status::ready) {
        lines = reading.get();
        return true;
    }
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
    reading.wait();
    if (fd >= 0)
        ::close(fd);
#endif
    Q_UNUSED(fifo);
    return false;
}
} // namespace

TEST(SettingsFiles, WhatIsNotARegularFileReadsAsMissingWithoutBlocking)
{
    const struct
    {
        const char* file;
        std::function<int(const ProgramFolder&)> read; // the number of values the reader found
    } readers[] = {
        {"saatler/Pazartesi.txt",
         [](const ProgramFolder& f) {
             DaySchedule slots;
             return readDayFile(f, QStringLiteral("Pazartesi"), slots);
         }},
        {"uygulama.txt", [](const ProgramFolder& f) { return int(readUygulama(f).check33.has_value()); }},
        {"melodi.txt", [](const ProgramFolder& f) { return int(readMelodi(f).volumeText.has_value()); }},
        {"kapat.txt", [](const ProgramFolder& f) { return int(readKapat(f).weekday.has_value()); }},
        {"muzikler.txt", [](const ProgramFolder& f) { return int(readMuzikler(f).size()); }},
        {"port.txt", [](const ProgramFolder& f) { return int(readPort(f).has_value()); }},
    };
    for (const auto& r : readers) {
        for (const bool fifo : {true, false}) { // a FIFO, or a folder under the file's name
            if (fifo && !HasFifos)
                continue;
            TempFolder t;
            t.makeDir(QStringLiteral("saatler"));
            const QString path = t.dir.filePath(QString::fromLatin1(r.file));
#ifndef Q_OS_WIN
            if (fifo)
                ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0) << r.file;
            else
#endif
                t.makeDir(QString::fromLatin1(r.file));
            int found = -1;
            EXPECT_TRUE(readsWithoutBlocking([&] { return r.read(t.folder); }, path, found))
                << r.file << (fifo ? " as a FIFO" : " as a folder");
            EXPECT_EQ(found, 0) << r.file;
        }
    }
}
