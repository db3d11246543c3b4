#pragma once

#include <QSize>

class QFont;
class QScreen;
class QWidget;

// How large the main window draws its text, and with it every control sized from the text. At 1 the
// window fits a 1024x768 screen with a 40 px panel and a title bar; a larger screen (a classroom's
// smart board) gets a larger window, and a screen that is shorter in logical pixels (a 1920x1080
// laptop at 150 %) a slightly smaller one, so that the whole console is always in view.
namespace UiScale {

// The client area the window is laid out for at zoom 1.
inline constexpr QSize Reference{1024, 698};
// Room kept for the window manager's title bar, which the screen's free area includes.
inline constexpr int TitleBar = 30;
inline constexpr double Smallest = 0.85;
inline constexpr double Largest = 1.5;

// The zoom for a screen whose free area (less panels and docks) is this large, in hundredths.
double forAvailable(const QSize& available);
// The zoom for the screen the window opens on; 1 when there is none.
double forScreen(const QScreen* screen);
double forPrimaryScreen();

// The same font, its size multiplied by the zoom.
QFont zoomed(const QFont& font, double zoom);
// The style draws the boxes of check and option buttons at a fixed size; above zoom 1 those inside
// `root` grow with the text, so they stay an easy target on a large screen.
void enlargeIndicators(QWidget* root, double zoom);

} // namespace UiScale
