// The "Röle…" dialog on a controller of fakes: it is opened through the dialogs seam, so no test
// waits on it; its controls are driven here as the operator would.
#include "app/RelayDialog.h"
#include "support/GuiRig.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace {
using Kind = RelaySettings::Kind;

const RelayDevice Ch340{QStringLiteral("/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0"),
                        QStringLiteral("/dev/ttyUSB0, USB Serial (1a86:7523)")};
const RelayDevice Chip{QStringLiteral("/dev/gpiochip0"),
                       QStringLiteral("/dev/gpiochip0, pinctrl-bcm2711 (58 hat)")};

// The main window started on LPT1, and the dialog on its controller.
struct DialogRig
{
    DialogRig()
    {
        gui.rig.writeFile(QStringLiteral("port.txt"), "1\r\n");
        gui.rig.port.attached = {{Kind::UsbSerial, {Ch340}}, {Kind::Gpio, {Chip}}};
        gui.start();
        dialog = std::make_unique<RelayDialog>(gui.controller().relaySetup);
        dialog->show();
    }
    template <typename T> T* find(const QString& name) const
    {
        T* w = dialog->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void chooseKind(Kind kind) const
    {
        auto* box = find<QComboBox>(QStringLiteral("relayKind"));
        box->setCurrentIndex(box->findData(static_cast<int>(kind)));
    }
    bool shown(const QString& name) const { return find<QWidget>(name)->isVisibleTo(dialog.get()); }
    QStringList deviceEntries() const
    {
        auto* box = find<QComboBox>(QStringLiteral("relayDevice"));
        QStringList entries;
        for (int i = 0; i < box->count(); ++i)
            entries << box->itemText(i);
        return entries;
    }
    QString result() const { return find<QLabel>(QStringLiteral("relayResult"))->text(); }

    GuiRig gui;
    std::unique_ptr<RelayDialog> dialog;
};

TEST(RelayDialog, RelayButtonOpensItThroughTheDialogsSeam)
{
    GuiRig gui;
    gui.start();
    auto* button = gui.find<QPushButton>(QStringLiteral("relayButton"));
    EXPECT_EQ(button->text(), QStringLiteral("Röle…"));
    button->click();
    EXPECT_EQ(gui.rig.dialogs.relayDialogs, 1);
}

TEST(RelayDialog, EachKindShowsWhatItNeeds)
{
    struct Case
    {
        Kind kind;
        bool device;
        bool activeLow;
        QString channelLabel;
        int lowest, highest;
        QStringList entries;
    };
    const Case cases[] = {
        {Kind::Lpt, false, false, QStringLiteral("Kanal:"), 1, 8, {}},
        {Kind::UsbHid,
         true,
         false,
         QStringLiteral("Kanal:"),
         1,
         8,
         {QStringLiteral("İlk bulunan USB HID röle kartı")}},
        {Kind::UsbSerial,
         true,
         false,
         QStringLiteral("Kanal:"),
         1,
         8,
         {QStringLiteral("İlk bulunan CH340 USB seri port"), Ch340.label}},
        {Kind::Gpio,
         true,
         true,
         QStringLiteral("Hat numarası:"),
         0,
         1023,
         {QStringLiteral("İlk GPIO yongası (/dev/gpiochip0)"), Chip.label}},
    };
    DialogRig r;
    for (const Case& c : {cases[1], cases[2], cases[3], cases[0]}) {
        r.chooseKind(c.kind);
        EXPECT_EQ(r.shown(QStringLiteral("relayDevice")), c.device) << int(c.kind);
        EXPECT_EQ(r.shown(QStringLiteral("relayChannel")), c.device) << int(c.kind);
        EXPECT_EQ(r.shown(QStringLiteral("relayLptNote")), !c.device) << int(c.kind);
        EXPECT_EQ(r.shown(QStringLiteral("relayActiveLow")), c.activeLow) << int(c.kind);
        if (!c.device)
            continue;
        auto* channel = r.find<QSpinBox>(QStringLiteral("relayChannel"));
        EXPECT_EQ(channel->minimum(), c.lowest);
        EXPECT_EQ(channel->maximum(), c.highest);
        EXPECT_EQ(r.deviceEntries(), c.entries) << int(c.kind);
        EXPECT_EQ(r.dialog->choice().device, QString()); // the first one found
    }
}

TEST(RelayDialog, DeneSwitchesTheChoiceOnAndReportsWhenItEnds)
{
    DialogRig r;
    r.chooseKind(Kind::UsbSerial);
    r.find<QComboBox>(QStringLiteral("relayDevice"))->setCurrentIndex(1);
    r.find<QSpinBox>(QStringLiteral("relayChannel"))->setValue(2);
    r.gui.rig.port.writes.clear();
    auto* tryButton = r.find<QPushButton>(QStringLiteral("relayTry"));
    tryButton->click();
    const RelaySettings tried{Kind::UsbSerial, Ch340.id, 2, false};
    EXPECT_EQ(r.gui.rig.port.used.back(), tried);
    EXPECT_EQ(r.gui.rig.port.lastValue(), 1);
    EXPECT_EQ(r.result(), QStringLiteral("Röle açıldı; 2 saniye sonra kapatılacak…"));
    EXPECT_FALSE(tryButton->isEnabled());

    r.dialog->finishTrial();                               // what its timer does two seconds later
    EXPECT_EQ(r.gui.rig.port.used.back().kind, Kind::Lpt); // back on the relay in use
    EXPECT_EQ(r.gui.rig.port.lastValue(), 0);
    EXPECT_TRUE(r.result().startsWith(QStringLiteral("Deneme başarılı: röle açıldı ve kapatıldı.")));
    EXPECT_TRUE(tryButton->isEnabled());

    r.gui.rig.port.failing = true;
    tryButton->click();
    EXPECT_EQ(r.result(), QStringLiteral("Deneme başarısız: Röle portuna ulaşılamıyor"));
    EXPECT_TRUE(tryButton->isEnabled());
    EXPECT_FALSE(r.gui.controller().relaySetup.trialRunning());
}

TEST(RelayDialog, SavedChoiceTakesEffectAtOnce)
{
    DialogRig r;
    r.chooseKind(Kind::Gpio);
    // A chip that is not listed may be typed in.
    r.find<QComboBox>(QStringLiteral("relayDevice"))->setEditText(QStringLiteral("/dev/gpiochip4"));
    r.find<QSpinBox>(QStringLiteral("relayChannel"))->setValue(17);
    r.find<QCheckBox>(QStringLiteral("relayActiveLow"))->setChecked(true);
    r.find<QPushButton>(QStringLiteral("relaySave"))->click();
    const RelaySettings chosen{Kind::Gpio, QStringLiteral("/dev/gpiochip4"), 17, true};
    EXPECT_EQ(r.dialog->result(), QDialog::Accepted);
    EXPECT_EQ(r.gui.controller().settings.relay, chosen);
    EXPECT_EQ(r.gui.rig.port.used.back(), chosen);
    EXPECT_EQ(AppSettings::read(r.gui.controller().folder).relay, chosen);

    // Opened again, it shows the saved choice, the chip marked as not attached.
    RelayDialog again(r.gui.controller().relaySetup);
    EXPECT_EQ(again.choice(), chosen);
    EXPECT_EQ(again.findChild<QComboBox*>(QStringLiteral("relayDevice"))->currentText(),
              QStringLiteral("/dev/gpiochip4 (şu an takılı değil)"));
}

TEST(RelayDialog, UnsavableChoiceIsToldAndTheDialogStays)
{
    DialogRig r;
    QDir(r.gui.rig.dir.path()).mkdir(QStringLiteral("ayarlar.ini"));
    r.chooseKind(Kind::UsbHid);
    r.find<QPushButton>(QStringLiteral("relaySave"))->click();
    EXPECT_TRUE(r.dialog->isVisible());
    EXPECT_EQ(r.result(), QStringLiteral("Röle ayarı kaydedilemedi: \"ayarlar.ini\" dosyasına yazılamıyor. "
                                         "Önceki ayar geçerli."));
    EXPECT_EQ(r.gui.controller().settings.relay.kind, Kind::Lpt);
}

} // namespace
