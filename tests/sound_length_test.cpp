#include "sound/SoundLength.h"

#include "support/SoundCases.h"
#include "support/SoundFiles.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cctype>
#include <string>

using namespace soundfiles;

namespace {

class SoundLengthTable : public testing::TestWithParam<LengthCase>
{
};

} // namespace

TEST_P(SoundLengthTable, ReadsTheLengthTheFileWouldPlay)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ses.wav"));
    ASSERT_TRUE(writeFile(path, GetParam().bytes));
    const std::optional<double> seconds = soundLengthSeconds(path);
    ASSERT_EQ(seconds.has_value(), GetParam().seconds.has_value());
    if (seconds) {
        EXPECT_NEAR(*seconds, *GetParam().seconds, 1e-6);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, SoundLengthTable, testing::ValuesIn(lengthCases()),
                         [](const testing::TestParamInfo<LengthCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p != '\0'; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(SoundLength, MissingFileHasNoLength)
{
    QTemporaryDir dir;
    EXPECT_FALSE(soundLengthSeconds(dir.filePath(QStringLiteral("melodiler/0.wav"))).has_value());
    EXPECT_FALSE(soundLengthSeconds(QString()).has_value());
}

TEST(SoundLength, FolderHasNoLength)
{
    QTemporaryDir dir;
    EXPECT_FALSE(soundLengthSeconds(dir.path()).has_value());
}

TEST(SoundLength, TurkishFileNameIsRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("İstiklal Marşı ğüşöç.wav"));
    ASSERT_TRUE(writeFile(path, toneWav(0.75, 8000)));
    EXPECT_NEAR(soundLengthSeconds(path).value_or(-1), 0.75, 1e-6);
}
