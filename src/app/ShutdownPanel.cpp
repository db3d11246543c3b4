#include "app/ShutdownPanel.h"

#include "app/Controls.h"
#include "app/WidgetSync.h"
#include "engine/Controller.h"
#include "engine/Texts.h"
#include "platform/Autostart.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString AutostartTip =
    QStringLiteral("İşaretliyse Vezo Zil, bu kullanıcı bilgisayarda oturum açınca kendiliğinden başlar.");
} // namespace

ShutdownPanel::ShutdownPanel(Controller& c, QWidget* parent)
    : QGroupBox(QStringLiteral("Bilgisayarı Kapatma Saati"), parent), m_c(c)
{
    setObjectName(QStringLiteral("Frame9"));
    m_text26 = timeBox(QStringLiteral("Text26"), &MainModel::text26);
    m_text45 = timeBox(QStringLiteral("Text45"), &MainModel::text45);
    QPushButton* command19 = Controls::button(this, QStringLiteral("Command19"), QStringLiteral("Kaydet"));
    Controls::onClick(command19, m_c, [this] { m_c.commands.Command19_Click(); });
    m_autostartBox = Controls::checkBox(this, QStringLiteral("autostart"),
                                        QStringLiteral("Bilgisayar açılınca başlat"), AutostartTip);
    m_autostartBox->setEnabled(false);
    connect(m_autostartBox, &QCheckBox::clicked, this, &ShutdownPanel::autostartClicked);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setSpacing(4);
    grid->addWidget(Controls::label(this, QStringLiteral("Label20"), QStringLiteral("Hafta içi")), 0, 0);
    grid->addWidget(m_text26, 0, 1);
    grid->addWidget(Controls::label(this, QStringLiteral("Label21"), QStringLiteral("Hafta sonu")), 1, 0);
    grid->addWidget(m_text45, 1, 1);
    grid->addWidget(command19, 0, 2, 2, 1, Qt::AlignVCenter);
    grid->addWidget(m_autostartBox, 2, 0, 1, 3);
    refresh();
}

QLineEdit* ShutdownPanel::timeBox(const QString& name, QString MainModel::*value)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    // Any five characters, as typed: the clock's "hh:mm" is compared with them as text, so a time
    // that no clock shows ("XX:XX") turns that day's shutdown off.
    box->setMaxLength(5);
    box->setAlignment(Qt::AlignCenter);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00:00")) + 18);
    connect(box, &QLineEdit::textEdited, this, [this, value](const QString& text) { m_c.m.*value = text; });
    return box;
}

void ShutdownPanel::refresh()
{
    WidgetSync::setText(m_text26, m_c.m.text26);
    WidgetSync::setText(m_text45, m_c.m.text45);
}

void ShutdownPanel::setAutostart(Autostart* autostart)
{
    m_autostart = autostart;
    m_autostartBox->setEnabled(autostart != nullptr);
    showAutostart();
}

void ShutdownPanel::showAutostart()
{
    m_autostartBox->setChecked(m_autostart && m_autostart->isEnabled());
    // An entry that starts another copy, another folder or a program that has gone is shown unticked;
    // the tooltip says what it starts, so the operator knows why.
    const QString other = m_autostart ? m_autostart->otherCommand() : QString();
    m_autostartBox->setToolTip(
        other.isEmpty()
            ? AutostartTip
            : QStringLiteral("Oturum açılınca başlatma kaydı bu programı bu klasörle başlatmıyor. Kayıttaki "
                             "komut: %1\n\nBaşka bir kopyayı, başka bir klasörü ya da artık olmayan bir "
                             "programı başlatıyor. Kutuyu işaretlerseniz kayıt bu program ve bu klasör "
                             "için yeniden yazılır.")
                  .arg(other));
}

void ShutdownPanel::autostartClicked(bool enabled)
{
    if (!m_autostart)
        return;
    if (!m_autostart->setEnabled(enabled)) {
        m_c.d.dialogs.tell(enabled ? QStringLiteral("Bilgisayar açılınca başlatma ayarı kaydedilemedi.")
                                   : QStringLiteral("Bilgisayar açılınca başlatma ayarı kaldırılamadı."),
                           Texts::WarningTitle);
    }
    // The box shows what the desktop holds, whatever the click asked for.
    showAutostart();
}
