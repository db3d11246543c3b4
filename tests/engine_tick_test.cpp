#include "fakes/ControllerRig.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

TEST(Tick, DateCaptionIsTurkish)
{
    ControllerRig rig(QDateTime(QDate(2026, 12, 7), QTime(9, 59, 59)));
    ASSERT_TRUE(rig.load());
    rig.tick();
    EXPECT_EQ(rig.model.frame1Caption, QStringLiteral("07 Aralık 2026  Pazartesi"));
    EXPECT_EQ(rig.model.label1Caption, QStringLiteral("10:00:00"));
}
