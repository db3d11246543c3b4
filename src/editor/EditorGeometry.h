#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

// The editor's controls sit at fixed positions given in twips (1/1440 inch). At 96 dpi and zoom 1 a
// pixel is 15 twips; Qt scales device-independent pixels on high-density screens, so the layout
// keeps its proportions everywhere. The zoom draws the whole window, text included, larger on a large
// screen and a little smaller on a short one, so that it always fits and uses the room it has.
class EditorGeometry
{
public:
    static constexpr int TwipsPerPixel = 15;
    // The window's client area in twips, and the room kept for the window manager's title bar.
    static constexpr QSize Client{6150, 10065};
    static constexpr int TitleBar = 30;

    explicit EditorGeometry(double zoom = 1.0) : m_zoom(zoom) {}

    // The zoom for a screen whose free area (less panels and docks) is this large.
    static double zoomFor(const QSize& available);

    double zoom() const { return m_zoom; }
    int px(int twips) const;
    // A rectangle given in the window's twips, placed in a container whose top-left corner is at
    // `origin` (also in window twips).
    QRect rect(int left, int top, int width, int height, QPoint origin = {}) const;

    // The frames and the day list: bold "MS Sans Serif" 9.75 pt, or the nearest sans-serif that exists.
    QFont frameFont() const;
    // Every other control: the window's normal font, 8 pt so that a time fits its narrow field.
    QFont controlFont() const;

private:
    double m_zoom;
};
