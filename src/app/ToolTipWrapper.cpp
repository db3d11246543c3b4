#include "app/ToolTipWrapper.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

namespace {
// About sixty characters a line: a comfortable reading width, well inside a 1024 px screen. A
// tooltip no wider stays plain text on one line.
constexpr int ReadableCharacters = 60;

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
    // A table cell of that width wraps the words (Qt on its own would squeeze a tooltip narrower);
    // pre-wrap keeps the text's own spacing ("zil veya  müzik").
    return QStringLiteral("<table width=\"%1\"><tr><td style=\"white-space: pre-wrap\">%2</td></tr></table>")
        .arg(readableWidth())
        .arg(tip.toHtmlEscaped());
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
