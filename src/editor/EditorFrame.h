#pragma once

#include <QGroupBox>

// A titled frame whose border runs through the middle of its caption, so the controls placed close
// below the caption at their fixed positions stay clear of the border whatever the widget style.
class EditorFrame : public QGroupBox
{
    Q_OBJECT
public:
    EditorFrame(const QString& name, const QString& title, const QRect& geometry, const QFont& font,
                QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};
