#include "app/UiScale.h"

#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QProxyStyle>
#include <QRadioButton>
#include <QScreen>
#include <QStyleFactory>

#include <algorithm>
#include <cmath>

namespace UiScale {

namespace {
class IndicatorStyle : public QProxyStyle
{
public:
    IndicatorStyle(double zoom, QObject* owner)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), m_zoom(zoom)
    {
        setParent(owner);
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        const int size = QProxyStyle::pixelMetric(metric, option, widget);
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
            return int(std::lround(size * m_zoom));
        default:
            return size;
        }
    }

private:
    double m_zoom;
};
} // namespace

double forAvailable(const QSize& available)
{
    if (available.isEmpty())
        return 1.0;
    const double wide = double(available.width()) / Reference.width();
    const double high = double(available.height() - TitleBar) / Reference.height();
    // Rounded down to a hundredth, so the window never outgrows the screen by rounding; a hair of
    // tolerance keeps an exact fit exact.
    const double steps = std::floor(std::min(wide, high) * 100.0 + 1e-6) / 100.0;
    return std::clamp(steps, Smallest, Largest);
}

double forScreen(const QScreen* screen)
{
    return screen ? forAvailable(screen->availableGeometry().size()) : 1.0;
}

double forPrimaryScreen()
{
    return forScreen(QGuiApplication::primaryScreen());
}

QFont zoomed(const QFont& font, double zoom)
{
    QFont f = font;
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * zoom);
    else
        f.setPixelSize(std::max(1, int(std::lround(f.pixelSize() * zoom))));
    return f;
}

void enlargeIndicators(QWidget* root, double zoom)
{
    if (zoom <= 1.0)
        return;
    auto* style = new IndicatorStyle(zoom, root);
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button))
            button->setStyle(style);
    }
}

} // namespace UiScale
