#include "platform/Autostart.h"
#include "support/GuiRig.h"

#include <QCheckBox>

namespace {
// The desktop's autostart as a flag; a refusing one keeps its flag, as a read-only folder would.
class FakeAutostart : public Autostart
{
public:
    bool isEnabled() const override { return enabled; }
    bool setEnabled(bool on) override
    {
        ++writes;
        if (refuses)
            return false;
        enabled = on;
        return true;
    }
    bool enabled = false;
    bool refuses = false;
    int writes = 0;
};
} // namespace

TEST(AutostartBox, ShowsAndSwitchesTheDesktopsAutostart)
{
    struct Case
    {
        bool enabledBefore, refuses;
        bool shownAfterClick;
        bool operatorTold;
    };
    const Case cases[] = {
        {false, false, true, false},
        {true, false, false, false},
        {false, true, false, true},
        {true, true, true, true},
    };
    for (const Case& c : cases) {
        GuiRig gui;
        gui.start();
        auto* box = gui.find<QCheckBox>(QStringLiteral("autostart"));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QStringLiteral("Bilgisayar açılınca başlat"));
        EXPECT_FALSE(box->isEnabled()) << "no autostart given: nothing to switch";

        FakeAutostart autostart;
        autostart.enabled = c.enabledBefore;
        autostart.refuses = c.refuses;
        gui.window.setAutostart(&autostart);
        EXPECT_TRUE(box->isEnabled());
        EXPECT_EQ(box->isChecked(), c.enabledBefore);

        box->click();
        EXPECT_EQ(autostart.writes, 1);
        EXPECT_EQ(box->isChecked(), c.shownAfterClick);
        EXPECT_EQ(gui.rig.dialogs.told.size(), c.operatorTold ? 1u : 0u);
    }
}
