#include "app/RelayDialog.h"

#include "engine/RelaySetup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
using Kind = RelaySettings::Kind;

struct KindText
{
    Kind kind;
    const char* name;
    const char* firstFound; // the device list's entry for "the first one found"
};

const KindText Kinds[] = {
    {Kind::Lpt, "LPT (paralel port)", ""},
    {Kind::UsbHid, "USB HID röle kartı (USBRelay)", "İlk bulunan USB HID röle kartı"},
    {Kind::UsbSerial, "USB seri röle kartı (CH340, LCUS)", "İlk bulunan CH340 USB seri port"},
    {Kind::Gpio, "GPIO hattı (Raspberry Pi vb.)", "İlk GPIO yongası (/dev/gpiochip0)"},
};

const QString Intro =
    QStringLiteral("Amfiyi açıp kapatan röleyi seçiniz. Kaydedilen seçim hemen geçerli olur.");
const QString LptNote = QStringLiteral(
    "LPT rölesi, Amfi bölümündeki \"LPT port1\", \"LPT port2\" ve \"LPT port3\" düğmeleriyle seçilen porta "
    "bağlıdır. Port değişikliği, program kapatılıp açılınca geçerli olur.");
const QString TryTip =
    QStringLiteral("Röleyi 2 saniyeliğine açar, sonra kapatır; amfi de açılıp kapanmalıdır.");

QString firstFoundText(Kind kind)
{
    for (const KindText& k : Kinds) {
        if (k.kind == kind)
            return QString::fromUtf8(k.firstFound);
    }
    return {};
}
} // namespace

RelayDialog::RelayDialog(RelaySetup& setup, QWidget* parent) : QDialog(parent), m_setup(setup)
{
    setObjectName(QStringLiteral("RelayDialog"));
    setWindowTitle(QStringLiteral("Röle Ayarı"));
    m_trialTimer.setSingleShot(true);
    m_trialTimer.setInterval(TrialMs);
    connect(&m_trialTimer, &QTimer::timeout, this, &RelayDialog::finishTrial);

    auto* intro = new QLabel(Intro, this);
    intro->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Save)->setText(QStringLiteral("Kaydet"));
    buttons->button(QDialogButtonBox::Save)->setObjectName(QStringLiteral("relaySave"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Vazgeç"));
    connect(buttons, &QDialogButtonBox::accepted, this, &RelayDialog::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &RelayDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(makeChoiceRows());
    layout->addLayout(makeTrialRow());
    layout->addWidget(buttons);

    const RelaySettings& current = m_setup.current();
    m_kind->setCurrentIndex(m_kind->findData(static_cast<int>(current.kind)));
    showKind();
    fillDevices(current.device);
    m_channel->setValue(current.channel);
    m_activeLow->setChecked(current.activeLow);
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this] {
        showKind();
        fillDevices(QString());
    });
}

RelayDialog::~RelayDialog()
{
    if (m_setup.trialRunning())
        m_setup.endTrial();
}

QLayout* RelayDialog::makeChoiceRows()
{
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("relayKind"));
    for (const KindText& k : Kinds)
        m_kind->addItem(QString::fromUtf8(k.name), static_cast<int>(k.kind));
    m_lptNote = new QLabel(LptNote, this);
    m_lptNote->setObjectName(QStringLiteral("relayLptNote"));
    m_lptNote->setWordWrap(true);

    m_deviceLabel = new QLabel(QStringLiteral("Aygıt:"), this);
    m_device = new QComboBox(this);
    m_device->setObjectName(QStringLiteral("relayDevice"));
    // A path that is not listed (a board not plugged in yet) may be typed in.
    m_device->setEditable(true);
    m_device->setInsertPolicy(QComboBox::NoInsert);
    m_device->setMinimumContentsLength(32);
    m_refresh = new QPushButton(QStringLiteral("Yenile"), this);
    m_refresh->setObjectName(QStringLiteral("relayRefresh"));
    m_refresh->setToolTip(QStringLiteral("Takılı aygıtları yeniden arar."));
    connect(m_refresh, &QPushButton::clicked, this, [this] { fillDevices(choice().device); });

    m_channelLabel = new QLabel(this);
    m_channel = new QSpinBox(this);
    m_channel->setObjectName(QStringLiteral("relayChannel"));
    m_activeLow = new QCheckBox(QStringLiteral("Aktif düşük (röle, hat düşük seviyedeyken çeker)"), this);
    m_activeLow->setObjectName(QStringLiteral("relayActiveLow"));

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Röle türü:"), this), 0, 0);
    grid->addWidget(m_kind, 0, 1, 1, 2);
    grid->addWidget(m_lptNote, 1, 0, 1, 3);
    grid->addWidget(m_deviceLabel, 2, 0);
    grid->addWidget(m_device, 2, 1);
    grid->addWidget(m_refresh, 2, 2);
    grid->addWidget(m_channelLabel, 3, 0);
    grid->addWidget(m_channel, 3, 1, Qt::AlignLeft);
    grid->addWidget(m_activeLow, 4, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    return grid;
}

QLayout* RelayDialog::makeTrialRow()
{
    m_try = new QPushButton(QStringLiteral("Dene"), this);
    m_try->setObjectName(QStringLiteral("relayTry"));
    m_try->setToolTip(TryTip);
    connect(m_try, &QPushButton::clicked, this, &RelayDialog::startTrial);
    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("relayResult"));
    m_result->setWordWrap(true);
    m_result->setTextFormat(Qt::PlainText);
    auto* row = new QHBoxLayout;
    row->addWidget(m_try);
    row->addWidget(m_result, 1);
    return row;
}

void RelayDialog::showKind()
{
    const auto kind = static_cast<Kind>(m_kind->currentData().toInt());
    const bool lpt = kind == Kind::Lpt;
    const bool gpio = kind == Kind::Gpio;
    m_lptNote->setVisible(lpt);
    for (QWidget* w : {static_cast<QWidget*>(m_deviceLabel), static_cast<QWidget*>(m_device),
                       static_cast<QWidget*>(m_refresh), static_cast<QWidget*>(m_channelLabel),
                       static_cast<QWidget*>(m_channel)})
        w->setVisible(!lpt);
    m_activeLow->setVisible(gpio);
    m_deviceLabel->setText(gpio ? QStringLiteral("Yonga:") : QStringLiteral("Aygıt:"));
    m_channelLabel->setText(gpio ? QStringLiteral("Hat numarası:") : QStringLiteral("Kanal:"));
    m_channel->setRange(gpio ? 0 : 1, gpio ? RelaySettings::MaxGpioLine : RelaySettings::MaxChannel);
    m_result->clear();
}

void RelayDialog::fillDevices(const QString& selected)
{
    const Kind kind = currentKind();
    // Until the devices are found, the list holds the choice alone, so that it can be saved meanwhile.
    showDevices(selected, std::nullopt);
    if (kind == Kind::Lpt)
        return;
    m_refresh->setEnabled(false);
    m_setup.findDevices(kind, [self = QPointer<RelayDialog>(this), kind](const QList<RelayDevice>& found) {
        // The operator may have chosen another kind meanwhile, or another device of this one.
        if (self && self->currentKind() == kind) {
            self->showDevices(self->choice().device, found);
            self->m_refresh->setEnabled(true);
        }
    });
}

void RelayDialog::showDevices(const QString& selected, const std::optional<QList<RelayDevice>>& found)
{
    const Kind kind = currentKind();
    m_device->clear();
    if (kind == Kind::Lpt)
        return;
    m_device->addItem(firstFoundText(kind), QString());
    for (const RelayDevice& d : found.value_or(QList<RelayDevice>()))
        m_device->addItem(d.label, d.id);
    int index = m_device->findData(selected);
    if (index < 0) {
        // The chosen device is not attached now, or not found yet: it stays chosen, and says so.
        m_device->addItem(found ? QStringLiteral("%1 (şu an takılı değil)").arg(selected)
                                : QStringLiteral("%1 (aranıyor…)").arg(selected),
                          selected);
        index = m_device->count() - 1;
    }
    m_device->setCurrentIndex(index);
}

RelaySettings::Kind RelayDialog::currentKind() const
{
    return static_cast<Kind>(m_kind->currentData().toInt());
}

RelaySettings RelayDialog::choice() const
{
    RelaySettings relay;
    relay.kind = static_cast<Kind>(m_kind->currentData().toInt());
    if (relay.kind == Kind::Lpt)
        return relay;
    // A listed entry stands for its device; anything else is a path the operator typed.
    const QString text = m_device->currentText().trimmed();
    const int index = m_device->findText(text);
    relay.device = index >= 0 ? m_device->itemData(index).toString() : text;
    relay.channel = m_channel->value();
    relay.activeLow = relay.kind == Kind::Gpio && m_activeLow->isChecked();
    return relay;
}

void RelayDialog::startTrial()
{
    m_try->setEnabled(false);
    showResult(QStringLiteral("Röle deneniyor…"), false);
    // The dialog may be closed before a board that does not answer has taken the write.
    m_setup.beginTrial(choice(), [self = QPointer<RelayDialog>(this)](const QString& problem) {
        if (self)
            self->switchedOn(problem);
    });
}

void RelayDialog::switchedOn(const QString& problem)
{
    if (!m_setup.trialRunning())
        return; // ended meanwhile: by "Kaydet", or by closing the dialog
    if (!problem.isEmpty()) {
        m_setup.endTrial();
        m_try->setEnabled(true);
        showResult(QStringLiteral("Deneme başarısız: ") + problem, true);
        return;
    }
    showResult(QStringLiteral("Röle açıldı; 2 saniye sonra kapatılacak…"), false);
    m_trialTimer.start();
}

void RelayDialog::finishTrial()
{
    m_trialTimer.stop();
    if (!m_setup.trialRunning())
        return;
    m_setup.endTrial([self = QPointer<RelayDialog>(this)](const QString& problem) {
        if (self)
            self->switchedOff(problem);
    });
}

void RelayDialog::switchedOff(const QString& problem)
{
    m_try->setEnabled(true);
    if (problem.isEmpty())
        showResult(QStringLiteral("Deneme başarılı: röle açıldı ve kapatıldı. Amfi açılıp kapanmadıysa "
                                  "röle ile amfi arasındaki bağlantıyı kontrol ediniz."),
                   false);
    else
        showResult(QStringLiteral("Röle açıldı ama kapatılamadı: ") + problem, true);
}

void RelayDialog::save()
{
    finishTrial();
    if (!m_setup.choose(choice())) {
        showResult(QStringLiteral("Röle ayarı kaydedilemedi: \"ayarlar.ini\" dosyasına yazılamıyor. "
                                  "Önceki ayar geçerli."),
                   true);
        return;
    }
    accept();
}

void RelayDialog::done(int result)
{
    // Closed in the middle of a trial: the relay goes back to the amplifier's state at once.
    finishTrial();
    QDialog::done(result);
}

void RelayDialog::showResult(const QString& text, bool fault)
{
    m_result->setText(text);
    m_result->setStyleSheet(fault ? QStringLiteral("color: #b00000; font-weight: bold;") : QString());
}
