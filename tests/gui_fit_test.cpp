#include "support/EditorRig.h"
#include "support/GuiRig.h"
#include "support/TestSupport.h"

#include "app/CalendarWindow.h"
#include "app/UiScale.h"
#include "editor/EditorGeometry.h"
#include "relay/RelayPortStatus.h"

#include <QLabel>
#include <QListWidget>

namespace {
void setBreakMode(GuiRig& gui, bool music)
{
    gui.rig.model.check33 = music;
    gui.controller().program.gecisyap();
    gui.rig.model.touch();
    QCoreApplication::processEvents();
}

// The window as it opens in one break mode, then after "Hayır" switched it to the other.
struct Shown
{
    QSize opened, switched;
    QSize calendar; // the "Takvim" window, opened over it
    QStringList clipped; // wrapped texts given less height than their lines need
};

QStringList clippedTexts(const QWidget& window)
{
    QStringList clipped;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->isVisible() && label->wordWrap() &&
            label->height() < label->heightForWidth(label->width()))
            clipped << label->objectName();
    }
    return clipped;
}

Shown showAtZoom(double zoom, bool music)
{
    // The program's version is shown in the window; the tests' executables have none of their own.
    QCoreApplication::setApplicationVersion(QStringLiteral("10.10.10"));
    GuiRig gui(QDateTime(QDate(2026, 12, 7), QTime(8, 0, 0)), zoom);
    EXPECT_TRUE(gui.rig.load());
    setBreakMode(gui, music);
    // The longest message the amplifier frame shows, there from the start as when the relay fails.
    gui.rig.model.relayProblem = RelayPortStatus::problemText(RelayFailure::Busy, 0x378);
    gui.rig.model.clockWarning = Texts::ClockNotSynced; // and the clock warning
    gui.window.show();
    QCoreApplication::processEvents();
    Shown shown{gui.window.size().expandedTo(gui.window.sizeHint()), {}, {}, clippedTexts(gui.window)};
    setBreakMode(gui, !music);
    shown.switched = gui.window.size().expandedTo(gui.window.sizeHint());
    shown.clipped += clippedTexts(gui.window);
    gui.window.openCalendar();
    QCoreApplication::processEvents();
    if (const CalendarWindow* calendar = gui.window.calendarWindow()) {
        shown.calendar = calendar->size().expandedTo(calendar->sizeHint());
        shown.clipped += clippedTexts(*calendar);
    }
    return shown;
}

bool within(QSize size, QSize area)
{
    return size.width() <= area.width() && size.height() <= area.height();
}
} // namespace

TEST(WindowFit, MainWindowFitsA1024x768ScreenInBothBreakModes)
{
    for (const bool music : {false, true}) {
        const Shown shown = showAtZoom(1.0, music);
        EXPECT_TRUE(within(shown.opened, UiScale::Reference))
            << music << ' ' << shown.opened.width() << 'x' << shown.opened.height();
        EXPECT_TRUE(within(shown.switched, UiScale::Reference))
            << music << ' ' << shown.switched.width() << 'x' << shown.switched.height();
        EXPECT_TRUE(within(shown.calendar, UiScale::Reference))
            << shown.calendar.width() << 'x' << shown.calendar.height();
        EXPECT_EQ(shown.clipped, QStringList()) << music;
    }
}

TEST(WindowFit, EditorFitsA1024x768ScreenAndGrowsOnLargerOnes)
{
    const struct
    {
        QSize available; // the screen less a 40 px panel, in logical pixels
        double zoom;
    } screens[] = {
        {{1024, 728}, 1.04},
        {{1920, 1040}, 1.5},
        {{1280, 693}, 0.98}, // 1920x1080 at 150 %
        {{800, 560}, 0.85},
    };
    EditorRig rig;
    for (const auto& screen : screens) {
        const double zoom = EditorGeometry::zoomFor(screen.available);
        EXPECT_DOUBLE_EQ(zoom, screen.zoom) << screen.available.width();
        Form2 form(rig.folder, rig.dialogs, zoom);
        form.show();
        const QSize size = form.size().expandedTo(form.sizeHint());
        if (zoom > 0.85) {
            EXPECT_TRUE(within(size, screen.available - QSize(0, EditorGeometry::TitleBar)))
                << screen.available.width() << ": " << size.width() << 'x' << size.height();
        }
        // Every caption whole at every zoom: the day names in their list, the buttons' captions.
        for (int row = 0; row < form.dayList()->count(); ++row) {
            const QRect item = form.dayList()->visualItemRect(form.dayList()->item(row));
            EXPECT_GE(item.width(),
                      form.dayList()->fontMetrics().horizontalAdvance(form.dayList()->item(row)->text()))
                << zoom;
        }
    }
}

TEST(WindowFit, ZoomFollowsTheScreenAndTheWindowStillFits)
{
    const struct
    {
        QSize available; // the screen less a 40 px panel, in logical pixels
        double zoom;
    } screens[] = {
        {{1024, 728}, 1.0},
        {{1366, 728}, 1.0},
        {{1366, 768}, 1.05}, // no panel
        {{1920, 1040}, 1.44},
        {{1280, 693}, 0.94}, // 1920x1080 at 150 %
        {{800, 560}, UiScale::Smallest},
        {{3840, 2120}, UiScale::Largest},
    };
    for (const auto& screen : screens) {
        const double zoom = UiScale::forAvailable(screen.available);
        EXPECT_DOUBLE_EQ(zoom, screen.zoom) << screen.available.width();
        if (zoom == UiScale::Smallest || zoom == UiScale::Largest)
            continue;
        const QSize client = screen.available - QSize(0, UiScale::TitleBar);
        const Shown shown = showAtZoom(zoom, false);
        EXPECT_TRUE(within(shown.opened, client))
            << screen.available.width() << ": " << shown.opened.width() << 'x' << shown.opened.height();
        EXPECT_TRUE(within(shown.switched, client)) << screen.available.width();
        EXPECT_TRUE(within(shown.calendar, client))
            << screen.available.width() << ": " << shown.calendar.width() << 'x' << shown.calendar.height();
        EXPECT_EQ(shown.clipped, QStringList()) << screen.available.width();
    }
}
