#include "app/CreditsFrame.h"

#include "app/AppResources.h"
#include "app/Controls.h"
#include "platform/Desktop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

const QString CreditsFrame::HomePage = QStringLiteral("https://vezozil.org.tr");

CreditsFrame::CreditsFrame(Desktop& desktop, QWidget* parent) : QFrame(parent), m_desktop(desktop)
{
    initAppResources();
    setObjectName(QStringLiteral("Frame11"));
    setFrameShape(QFrame::StyledPanel);

    m_image2 = Controls::label(this, QStringLiteral("Image2"));
    const int side = fontMetrics().height() * 3;
    m_image2->setPixmap(QIcon(AppIconPath).pixmap(QSize(side, side)));
    m_image2->setCursor(Qt::PointingHandCursor);
    m_image2->setToolTip(QStringLiteral("Programın web sayfasını açmak için tıklayınız."));
    m_image2->installEventFilter(this);

    QLabel* title = Controls::label(this, QStringLiteral("creditTitle"), QStringLiteral("Vezo Zil"));
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    title->setFont(big);
    // The version on a line of its own: after the description it would widen the narrow column of
    // buttons, and with it the window.
    QLabel* version = Controls::label(this, QStringLiteral("creditVersion"));
    version->setText(QStringLiteral("sürüm ") + QCoreApplication::applicationVersion());
    version->setHidden(QCoreApplication::applicationVersion().isEmpty());
    QLabel* line = Controls::label(this, QStringLiteral("creditLine"), QStringLiteral("Okul zil programı"));
    QLabel* address = Controls::label(this, QStringLiteral("creditAddress"), HomePage);
    address->setForegroundRole(QPalette::PlaceholderText);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(0);
    texts->addWidget(title);
    texts->addWidget(line);
    texts->addWidget(version);
    texts->addWidget(address);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_image2);
    layout->addLayout(texts, 1);
}

bool CreditsFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_image2 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // The browser is started without waiting for it.
        m_desktop.openUrl(HomePage);
        return true;
    }
    return QFrame::eventFilter(watched, event);
}
