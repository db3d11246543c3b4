#pragma once

#include <QObject>
#include <QString>

// Shows a long tooltip wrapped to a readable width. Qt shows a plain-text tooltip on one line, which
// for the longer help texts runs wider than a school's screen. The tooltip's text is kept as it is;
// only its display wraps, keeping every space.
class ToolTipWrapper : public QObject
{
    Q_OBJECT
public:
    // Installs one wrapper for the whole program; later calls do nothing.
    static void install();

    // The tooltip as shown: `tip` itself when it fits on one readable line, else the same text as
    // rich text that wraps.
    static QString shown(const QString& tip);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
