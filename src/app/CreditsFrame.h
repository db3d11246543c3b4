#pragma once

#include <QFrame>

class Desktop;
class QLabel;

// The maker's credits and the bell picture, which opens the project's home page.
class CreditsFrame : public QFrame
{
    Q_OBJECT
public:
    static const QString HomePage;

    explicit CreditsFrame(Desktop& desktop, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Desktop& m_desktop;
    QLabel* m_image2 = nullptr;
};
