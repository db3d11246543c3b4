#pragma once

#include <QPushButton>

// A push button whose caption wraps onto further lines when it is wider than the button, so the long
// captions of the editor's tall, narrow buttons stay readable.
class WrappingButton : public QPushButton
{
    Q_OBJECT
public:
    explicit WrappingButton(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
