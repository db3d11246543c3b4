#include "app/ToolTipWrapper.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

namespace {
// Qt wraps a rich-text tooltip at about eighty characters, a comfortable reading width and well
// inside a 1024 px screen; a tooltip no wider than that stays plain text on one line.
constexpr int ReadableCharacters = 80;

int readableWidth()
{
    return QFontMetrics(QToolTip::font()).averageCharWidth() * ReadableCharacters;
}
} // namespace

void ToolTipWrapper::install()
{
    static ToolTipWrapper* installed = nullptr;
    if (installed || !qApp)
        return;
    installed = new ToolTipWrapper(qApp);
    qApp->installEventFilter(installed);
}

QString ToolTipWrapper::shown(const QString& tip)
{
    if (Qt::mightBeRichText(tip) || QFontMetrics(QToolTip::font()).horizontalAdvance(tip) <= readableWidth())
        return tip;
    // Rich text wraps; pre-wrap keeps the text's own spacing ("zil veya  müzik").
    return QStringLiteral("<p style=\"white-space: pre-wrap\">%1</p>").arg(tip.toHtmlEscaped());
}

bool ToolTipWrapper::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    const QString tip = widget->toolTip();
    const QString display = shown(tip);
    if (tip.isEmpty() || display == tip)
        return false;
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), display, widget, QRect(),
                       widget->toolTipDuration());
    return true;
}
