#include "app/AmplifierPanel.h"

#include "app/Controls.h"
#include "app/WidgetSync.h"
#include "engine/Controller.h"
#include "engine/Texts.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
const QString PortTip = QStringLiteral(
    "Çoğu bilgisayarın anakartı \"LPT port1\" i desteklemektedir, nadiren port2 ve port3 kullanılmaktadır.  "
    "Uygun portu seçiniz. Değişikliklerin aktif olabilmesi için programı kapatıp açınız!");
const QString WarmUpTip = QStringLiteral(
    "Amfinin zilden kaç saniye önce açılacağı. Açıldıktan sonra birkaç saniye sessiz kalan amfiler için "
    "artırın; 0 ise amfi zille birlikte açılır.");
const QString RelayAdvice = QStringLiteral(
    "Amfi röle üzerinden açılıp kapatılamıyor; röle kablosunu ve seçili LPT portunu kontrol ediniz.");
} // namespace

AmplifierPanel::AmplifierPanel(Controller& c, QWidget* parent)
    : QGroupBox(QStringLiteral("Amfi"), parent), m_c(c)
{
    setObjectName(QStringLiteral("Frame3"));
    m_relayProblem = Controls::label(this, QStringLiteral("relayProblem"));
    m_relayProblem->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    m_relayProblem->setWordWrap(true);
    m_relayProblem->setHidden(true);
    // Two lines within the width the buttons give the frame: a long message must not widen the
    // window past a small screen. The tooltip holds the whole text, should it ever need a third.
    m_relayProblem->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_relayProblem->setFixedHeight(m_relayProblem->fontMetrics().lineSpacing() * 2 + 2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(2);
    layout->addLayout(makeModeButtons());
    layout->addLayout(makePortOptions());
    layout->addLayout(makeWarmUp());
    layout->addWidget(m_relayProblem);
    refresh();
}

QLayout* AmplifierPanel::makeModeButtons()
{
    QPushButton* command3 = Controls::button(
        this, QStringLiteral("Command3"), QStringLiteral("Otomatik"),
        QStringLiteral(
            "Otomatik konumda; zil veya  müzik çalacağı zaman amfiyi açar, çalma işlemi bitince kapatır."));
    QPushButton* command4 =
        Controls::button(this, QStringLiteral("Command4"), QStringLiteral("Sürekli Açık"));
    QPushButton* command1 = Controls::button(this, QStringLiteral("Command1"), QStringLiteral("Aç"));
    Controls::onClick(command3, m_c, [this] { m_c.amp.Command3_Click(); });
    Controls::onClick(command4, m_c, [this] { m_c.amp.Command4_Click(); });
    Controls::onClick(command1, m_c, [this] { m_c.amp.Command1_Click(); });

    m_label4 = Controls::label(this, QStringLiteral("Label4"));
    m_label4->setAlignment(Qt::AlignCenter);
    QFont bold = m_label4->font();
    bold.setBold(true);
    m_label4->setFont(bold);
    m_label4->setMinimumWidth(m_label4->fontMetrics().horizontalAdvance(Texts::AmpOff) +
                              m_label4->fontMetrics().height());
    m_label4->setFrameShape(QFrame::Panel);
    m_label4->setFrameShadow(QFrame::Sunken);

    auto* row = new QHBoxLayout;
    row->addWidget(command3);
    row->addWidget(command4);
    row->addWidget(command1);
    row->addWidget(m_label4, 1);
    return row;
}

QLayout* AmplifierPanel::makePortOptions()
{
    auto* group = new QButtonGroup(this);
    auto* row = new QHBoxLayout;
    for (int n = 1; n <= 3; ++n) {
        auto* option = new QRadioButton(QStringLiteral("LPT port%1").arg(n), this);
        option->setObjectName(QStringLiteral("Option%1").arg(n));
        option->setToolTip(PortTip);
        group->addButton(option, n);
        row->addWidget(option);
        m_options[n - 1] = option;
        Controls::onClick(option, m_c, [this, n] { m_c.amp.Option_Click(n); });
    }
    row->addStretch();
    return row;
}

QLayout* AmplifierPanel::makeWarmUp()
{
    m_warmUp = new QSpinBox(this);
    m_warmUp->setObjectName(QStringLiteral("IsinmaSuresi"));
    m_warmUp->setRange(0, AppSettings::MaxWarmUpSeconds);
    m_warmUp->setToolTip(WarmUpTip);
    QLabel* caption = Controls::label(this, QStringLiteral("IsinmaEtiketi"), QStringLiteral("Isınma (sn)"));
    caption->setBuddy(m_warmUp);
    caption->setToolTip(WarmUpTip);
    connect(m_warmUp, &QSpinBox::valueChanged, this, [this](int seconds) {
        Controls::runHandler(m_c, [this, seconds] { m_c.amp.setWarmUpSeconds(seconds); });
    });
    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(m_warmUp);
    row->addStretch();
    return row;
}

void AmplifierPanel::refresh()
{
    const MainModel& m = m_c.m;
    WidgetSync::setText(m_label4, m.label4.caption);
    WidgetSync::setBackground(m_label4, m.label4.colour);
    // With no port chosen no option is shown selected; the model never returns to none while running.
    if (m.lptOption >= 1 && m.lptOption <= 3)
        WidgetSync::setChecked(m_options[m.lptOption - 1], true);
    WidgetSync::setValue(m_warmUp, m_c.settings.warmUpSeconds);
    WidgetSync::setText(m_relayProblem, m.relayProblem);
    WidgetSync::setToolTip(m_relayProblem, m.relayProblem.isEmpty()
                                               ? QString()
                                               : m.relayProblem + QLatin1Char('\n') + RelayAdvice);
    WidgetSync::setShown(m_relayProblem, !m.relayProblem.isEmpty());
}
