#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>

// The editor's controls sit at fixed positions given in twips (1/1440 inch). At 96 dpi a pixel is
// 15 twips; Qt scales device-independent pixels on high-density screens, so the layout keeps its
// proportions everywhere.
namespace EditorGeometry {
constexpr int TwipsPerPixel = 15;
constexpr int px(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

// A rectangle given in the window's twips, placed in a container whose top-left corner is at
// `origin` (also in window twips).
QRect rect(int left, int top, int width, int height, QPoint origin = {});

// The frames and the day list: bold "MS Sans Serif" 9.75 pt, or the nearest sans-serif that exists.
QFont frameFont();
// Every other control: the window's normal font, 8 pt so that a time fits its narrow field.
QFont controlFont();
} // namespace EditorGeometry
