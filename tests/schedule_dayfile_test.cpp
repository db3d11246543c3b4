#include "schedule/DayFile.h"
#include "schedule/DayTable.h"
#include "schedule/TextCodec.h"
#include "schedule/TextFile.h"
#include "support/TempFolder.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {
const QString Monday = QStringLiteral("Pazartesi");

DaySchedule filled(const QString& value)
{
    DaySchedule s;
    s.fill(value);
    return s;
}

QByteArray repeated(const QByteArray& line, int times)
{
    QByteArray bytes;
    for (int i = 0; i < times; ++i)
        bytes += line;
    return bytes;
}
} // namespace

struct ValueCase
{
    const char* value;    // what the field holds (UTF-8)
    QByteArray line;      // the line as stored, line end included
    const char* readBack; // what the field holds after reading the line again
};

class DayFileValue : public ::testing::TestWithParam<ValueCase>
{
};

TEST_P(DayFileValue, IsStoredQuotedAndReadBackByPosition)
{
    const ValueCase& c = GetParam();
    TempFolder t;
    DaySchedule slots = filled(QStringLiteral("XX:XX"));
    slots[0] = QString::fromUtf8(c.value);
    ASSERT_TRUE(writeDayFile(t.folder, Monday, slots));

    const QByteArray bytes = t.read(QStringLiteral("saatler/Pazartesi.txt"));
    EXPECT_TRUE(bytes.startsWith(c.line)) << bytes.left(40).toStdString();

    DaySchedule back = filled(QStringLiteral("old"));
    EXPECT_EQ(readDayFile(t.folder, Monday, back), Slots::Count);
    EXPECT_EQ(back[0], QString::fromUtf8(c.readBack));
    EXPECT_EQ(back[1], QStringLiteral("XX:XX"));
}

INSTANTIATE_TEST_SUITE_P(Cases, DayFileValue,
                         ::testing::Values(ValueCase{"08:40", "\"08:40\"\r\n", "08:40"}, // nine bytes
                                           ValueCase{"8:40", "\"8:40\"\r\n", "8:40\""},  // four characters
                                           ValueCase{"", "\"\"\r\n", "\""},              // empty field
                                           ValueCase{"08:40:30 sabah", "\"08:40:30 sabah\"\r\n",
                                                     "08:40"},                            // stored whole, cut
                                           ValueCase{"a\"b", "\"a\"b\"\r\n", "a\"b\""})); // nothing escaped

TEST(DayFile, CompleteFileHasFiftyThreeLinesEachEndedByCrLf)
{
    TempFolder t;
    ASSERT_TRUE(writeDayFile(t.folder, Monday, filled(QStringLiteral("12:00"))));
    EXPECT_EQ(t.read(QStringLiteral("saatler/Pazartesi.txt")), repeated("\"12:00\"\r\n", Slots::Count));
}

TEST(DayFile, ClearedFileHoldsFortyFiveMarkers)
{
    TempFolder t;
    ASSERT_TRUE(clearDayFile(t.folder, Monday));
    EXPECT_EQ(t.read(QStringLiteral("saatler/Pazartesi.txt")),
              repeated("\"XX:XX\"\r\n", Slots::ClearedLines));
}

TEST(DayFile, ReadingAClearedFileLeavesLessonsSixteenOnAndAssemblyTimes)
{
    TempFolder t;
    ASSERT_TRUE(clearDayFile(t.folder, Monday));
    DaySchedule slots = filled(QStringLiteral("09:00"));
    EXPECT_EQ(readDayFile(t.folder, Monday, slots), Slots::ClearedLines);
    for (int i = 0; i < Slots::Count; ++i)
        EXPECT_EQ(slots[i], i < Slots::ClearedLines ? QStringLiteral("XX:XX") : QStringLiteral("09:00")) << i;
}

TEST(DayFile, LinesAfterTheFiftyThirdAreIgnored)
{
    TempFolder t;
    t.write(QStringLiteral("saatler/Pazartesi.txt"),
            repeated("\"10:00\"\r\n", Slots::Count) + repeated("\"23:59\"\r\n", 300));
    DaySchedule slots = filled(QStringLiteral("old"));
    EXPECT_EQ(readDayFile(t.folder, Monday, slots), Slots::Count);
    EXPECT_EQ(slots, filled(QStringLiteral("10:00")));
}

TEST(DayFile, FinalLineEndGivesNoEmptyLineAfterIt)
{
    TempFolder t;
    ASSERT_TRUE(writeDayFile(t.folder, Monday, filled(QStringLiteral("12:00"))));
    int lines = 0;
    QString last;
    TextFile::forEachLine(dayFilePath(t.folder, Monday), DayFileLineLimit, [&](int n, const QString& text) {
        lines = n;
        last = text;
    });
    EXPECT_EQ(lines, Slots::Count);
    EXPECT_EQ(last, QStringLiteral("\"12:00\""));
}

TEST(DayFile, ReaderTakesLinesEndedByLineFeedOnly)
{
    TempFolder t;
    t.write(QStringLiteral("saatler/Pazartesi.txt"), "\"08:40\"\n\"08:50\"\n\"09:30\"");
    DaySchedule slots = filled(QStringLiteral("old"));
    EXPECT_EQ(readDayFile(t.folder, Monday, slots), 3);
    EXPECT_EQ(slots[0], QStringLiteral("08:40"));
    EXPECT_EQ(slots[2], QStringLiteral("09:30"));
    EXPECT_EQ(slots[3], QStringLiteral("old"));
}

TEST(DayFile, OverlongLineIsCutAndTheNextLineKeepsItsNumber)
{
    TempFolder t;
    t.write(QStringLiteral("saatler/Pazartesi.txt"),
            "\"08:40" + QByteArray(3 * TextFile::MaxLineBytes, 'z') + "\"\r\n\"08:50\"\r\n");
    DaySchedule slots = filled(QStringLiteral("old"));
    EXPECT_EQ(readDayFile(t.folder, Monday, slots), 2);
    EXPECT_EQ(slots[0], QStringLiteral("08:40"));
    EXPECT_EQ(slots[1], QStringLiteral("08:50"));
}

TEST(TextFile, LinesPastTheLimitAreNotRead)
{
    TempFolder t;
    t.write(QStringLiteral("long.txt"), repeated("\"x\"\r\n", 300));
    int calls = 0;
    const int given = TextFile::forEachLine(t.folder.path(QStringLiteral("long.txt")), DayFileLineLimit,
                                            [&](int, const QString&) { ++calls; });
    EXPECT_EQ(given, DayFileLineLimit);
    EXPECT_EQ(calls, DayFileLineLimit);
}

TEST(TextFile, LinesAroundTheCutKeepTheirNumbersAndEnds)
{
    TempFolder t;
    const qsizetype max = TextFile::MaxLineBytes;
    const qsizetype lengths[] = {max - 2, max - 1, max, max + 1, max + 2, 3 * max};
    QByteArray bytes;
    for (qsizetype n : lengths)
        bytes += QByteArray(n, 'a') + "\r\n";
    bytes += "end";
    t.write(QStringLiteral("cut.txt"), bytes);
    QList<qsizetype> sizes;
    QString last;
    TextFile::forEachLine(t.folder.path(QStringLiteral("cut.txt")), 10, [&](int, const QString& text) {
        sizes << text.size();
        last = text;
    });
    EXPECT_EQ(sizes, (QList<qsizetype>{max - 2, max - 1, max, max, max, max, 3}));
    EXPECT_EQ(last, QStringLiteral("end"));
}

TEST(DayFile, MissingFolderOrFileReadsAsEmpty)
{
    TempFolder t;
    DaySchedule slots = filled(QStringLiteral("kept"));
    EXPECT_EQ(readDayFile(t.folder, Monday, slots), 0); // no "saatler" at all
    t.makeDir(QStringLiteral("saatler"));
    EXPECT_EQ(readDayFile(t.folder, Monday, slots), 0); // folder without the day's file
    EXPECT_EQ(slots, filled(QStringLiteral("kept")));
}

TEST(DayFile, WriterCreatesTheMissingFolder)
{
    TempFolder t;
    ASSERT_TRUE(writeDayFile(t.folder, QStringLiteral("Çarşamba"), filled(QStringLiteral("12:00"))));
    EXPECT_EQ(t.entries(), QStringList{QStringLiteral("saatler")});
    EXPECT_EQ(t.entries(QStringLiteral("saatler")), QStringList{QStringLiteral("Çarşamba.txt")});
}

TEST(DayFile, NamesAreMatchedWithoutRegardToLetterCase)
{
    TempFolder t;
    t.write(QStringLiteral("SAATLER/pazartesi.TXT"), "\"07:30\"\r\n");
    DaySchedule slots = filled(QStringLiteral("old"));
    EXPECT_EQ(readDayFile(t.folder, Monday, slots), 1);
    EXPECT_EQ(slots[0], QStringLiteral("07:30"));

    // Saving takes the existing folder and replaces the file under the day's own spelling.
    ASSERT_TRUE(writeDayFile(t.folder, Monday, filled(QStringLiteral("12:00"))));
    EXPECT_EQ(t.entries(), QStringList{QStringLiteral("SAATLER")});
    EXPECT_EQ(asTheFileSystemSees(t.entries(QStringLiteral("SAATLER"))),
              asTheFileSystemSees({QStringLiteral("Pazartesi.txt")}));
    EXPECT_EQ(readDayFile(t.folder, Monday, slots), Slots::Count);
    EXPECT_EQ(slots[0], QStringLiteral("12:00"));
}

TEST(DayFile, SavingRemovesEveryOtherSpellingOfTheName)
{
    TempFolder t;
    t.write(QStringLiteral("saatler/pazartesi.txt"), "\"07:30\"\r\n");
    t.write(QStringLiteral("saatler/PAZARTESI.TXT"), "\"07:40\"\r\n");
    t.write(QStringLiteral("saatler/Salı.txt"), "\"07:50\"\r\n");
    ASSERT_TRUE(clearDayFile(t.folder, Monday));
    EXPECT_EQ(asTheFileSystemSees(t.entries(QStringLiteral("saatler"))),
              asTheFileSystemSees({QStringLiteral("Pazartesi.txt"), QStringLiteral("Salı.txt")}));
}

TEST(DayFile, InterruptedSaveLeavesTheOldFileWhole)
{
    TempFolder t;
    ASSERT_TRUE(writeDayFile(t.folder, Monday, filled(QStringLiteral("08:00"))));
    const QByteArray before = t.read(QStringLiteral("saatler/Pazartesi.txt"));

    TextFile::interruptNextWrite();
    EXPECT_FALSE(writeDayFile(t.folder, Monday, filled(QStringLiteral("09:00"))));
    EXPECT_EQ(t.read(QStringLiteral("saatler/Pazartesi.txt")), before);
    EXPECT_EQ(t.entries(QStringLiteral("saatler")), QStringList{QStringLiteral("Pazartesi.txt")});

    // The seam acts once; the next save goes through.
    EXPECT_TRUE(writeDayFile(t.folder, Monday, filled(QStringLiteral("09:00"))));
    EXPECT_EQ(t.read(QStringLiteral("saatler/Pazartesi.txt")), repeated("\"09:00\"\r\n", Slots::Count));
}

TEST(DayFile, InterruptedSaveOfAnotherSpellingKeepsOneWholeFile)
{
    TempFolder t;
    t.write(QStringLiteral("saatler/pazartesi.txt"), "\"07:30\"\r\n");
    TextFile::interruptNextWrite();
    EXPECT_FALSE(clearDayFile(t.folder, Monday));
    DaySchedule slots = filled(QStringLiteral("old"));
    EXPECT_EQ(readDayFile(t.folder, Monday, slots), 1);
    EXPECT_EQ(slots[0], QStringLiteral("07:30"));
    EXPECT_EQ(t.entries(QStringLiteral("saatler")).size(), 1);
}

TEST(DayFile, WriteFailsWhenTheFileIsAFolder)
{
    TempFolder t;
    t.makeDir(QStringLiteral("saatler/Pazartesi.txt"));
    EXPECT_FALSE(writeDayFile(t.folder, Monday, filled(QStringLiteral("08:00"))));
    EXPECT_FALSE(clearDayFile(t.folder, Monday));
}

TEST(DayFile, WriteFailsWhenTheFolderIsAFile)
{
    TempFolder t;
    t.write(QStringLiteral("saatler"), "not a folder");
    EXPECT_FALSE(writeDayFile(t.folder, Monday, filled(QStringLiteral("08:00"))));
    EXPECT_EQ(t.read(QStringLiteral("saatler")), QByteArray("not a folder"));
    DaySchedule slots = filled(QStringLiteral("kept"));
    EXPECT_EQ(readDayFile(t.folder, Monday, slots), 0);
}

TEST(DayFile, LineBreakInsideAValueCannotShiftTheLaterLines)
{
    TempFolder t;
    DaySchedule slots = filled(QStringLiteral("12:00"));
    slots[0] = QStringLiteral("08:\r\n40");
    ASSERT_TRUE(writeDayFile(t.folder, Monday, slots));
    DaySchedule back = filled(QStringLiteral("old"));
    EXPECT_EQ(readDayFile(t.folder, Monday, back), Slots::Count);
    EXPECT_EQ(back[1], QStringLiteral("12:00"));
    EXPECT_EQ(back[Slots::Assembly2], QStringLiteral("12:00"));
}

TEST(DayFile, TurkishValuesAreStoredInWindows1254)
{
    TempFolder t;
    DaySchedule slots = filled(QStringLiteral("XX:XX"));
    slots[0] = QStringLiteral("Öğle");
    ASSERT_TRUE(writeDayFile(t.folder, Monday, slots));
    EXPECT_TRUE(t.read(QStringLiteral("saatler/Pazartesi.txt")).startsWith("\"\xD6\xF0le\"\r\n"));
    DaySchedule back;
    readDayFile(t.folder, Monday, back);
    EXPECT_EQ(back[0], QStringLiteral("Öğle\""));
}

TEST(DayTable, NamesAndGroupsFollowTheWeek)
{
    EXPECT_EQ(DayTable::names(),
              (QStringList{QStringLiteral("Pazartesi"), QStringLiteral("Salı"), QStringLiteral("Çarşamba"),
                           QStringLiteral("Perşembe"), QStringLiteral("Cuma"), QStringLiteral("Cumartesi"),
                           QStringLiteral("Pazar")}));
    EXPECT_EQ(DayTable::nameOf(QDate(2026, 12, 9)), QStringLiteral("Çarşamba"));
    EXPECT_EQ(DayTable::nameOf(QDate(2026, 12, 13)), QStringLiteral("Pazar"));
    EXPECT_TRUE(DayTable::isWeekend(QStringLiteral("Cumartesi")));
    EXPECT_FALSE(DayTable::isWeekend(QStringLiteral("Cuma")));
    EXPECT_TRUE(DayTable::isWeekday(QStringLiteral("Cuma")));
    EXPECT_FALSE(DayTable::isWeekday(QStringLiteral("cuma"))); // exact text, as the tick compares
}

TEST(DaySchedule, FieldNamesFollowBothWindows)
{
    struct Row
    {
        int line;
        const char* editor;
        const char* main;
    };
    const Row rows[] = {{1, "Text1", "Text2"},    {3, "Text3", "Text4"},    {24, "Text24", "Text25"},
                        {25, "Text25", "Text27"}, {42, "Text42", "Text44"}, {43, "Text45", "Text48"},
                        {51, "Text53", "Text56"}, {52, "Text43", "Text46"}, {53, "Text44", "Text47"}};
    for (const Row& r : rows) {
        EXPECT_EQ(Slots::editorFieldName(r.line - 1), QLatin1String(r.editor)) << r.line;
        EXPECT_EQ(Slots::mainFieldName(r.line - 1), QLatin1String(r.main)) << r.line;
    }
}

struct CodecCase
{
    const char* text; // UTF-8 source of the value
    QByteArray bytes; // as stored
};

class TextCodecCase : public ::testing::TestWithParam<CodecCase>
{
};

TEST_P(TextCodecCase, WritesTheBytesAndReadsThemBack)
{
    const QString text = QString::fromUtf8(GetParam().text);
    EXPECT_EQ(TextCodec::encode(text).toHex(), GetParam().bytes.toHex());
    EXPECT_EQ(TextCodec::decode(GetParam().bytes), text);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, TextCodecCase,
    ::testing::Values(CodecCase{"\"08:40\"", "\"08:40\""},                            // ASCII
                      CodecCase{"şğıçöüŞĞİ", "\xFE\xF0\xFD\xE7\xF6\xFC\xDE\xD0\xDD"}, // Windows-1254
                      CodecCase{"€", "\x80"},
                      CodecCase{"Жюль", "\xD0\x96\xD1\x8E\xD0\xBB\xD1\x8C"}, // not in 1254: UTF-8
                      // In Windows-1254 these would be C3 A7, which reads as UTF-8 "ç": written as UTF-8.
                      CodecCase{"Ã§", "\xC3\x83\xC2\xA7"}));

TEST(TextCodec, ValidUtf8WithNonAsciiBytesIsReadAsUtf8)
{
    EXPECT_EQ(TextCodec::decode("\"Çarşamba\""), QStringLiteral("\"Çarşamba\""));
    EXPECT_EQ(TextCodec::decode("\xC3"), QStringLiteral("Ã")); // cut UTF-8 is no UTF-8
    EXPECT_EQ(TextCodec::decode("\xEF\xBB\xBF\"08:40\""), QStringLiteral("\"08:40\"")); // Notepad's mark
}
