#include "support/GuiRig.h"
#include "support/TestSupport.h"

#include "app/GridPanel.h"
#include "app/ToolTipWrapper.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTextDocument>
#include <QToolTip>

#include <optional>

namespace {
QString captionOf(const QWidget* w)
{
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return e->text();
    if (auto* c = qobject_cast<const QComboBox*>(w))
        return c->currentText();
    return QStringLiteral("<no caption>");
}

struct Design
{
    const char* name;
    QString caption;
    std::optional<QString> toolTip = QString(); // nullopt: not fixed by the design
};

const QString PortTip =
    QStringLiteral("Çoğu bilgisayarın anakartı \"LPT port1\" i desteklemektedir, nadiren port2 ve port3 "
                   "kullanılmaktadır.  Uygun "
                   "portu seçiniz. Değişikliklerin aktif olabilmesi için programı kapatıp açınız!");
const QString AnnounceTip = QStringLiteral("Melodiden sonra sözlü anons istiyorsanız işaretleyiniz");

const Design Designs[] = {
    {"Frame4", QStringLiteral("Son Alarm")},
    {"Label22", QStringLiteral("Label22"), std::nullopt},
    {"Frame3", QStringLiteral("Amfi")},
    {"Command3", QStringLiteral("Otomatik"),
     QStringLiteral(
         "Otomatik konumda; zil veya  müzik çalacağı zaman amfiyi açar, çalma işlemi bitince kapatır.")},
    {"Command4", QStringLiteral("Sürekli Açık")},
    {"Command1", QStringLiteral("Aç")},
    {"Label4", QStringLiteral("Amfi Kapalı")},
    {"Option1", QStringLiteral("LPT port1"), PortTip},
    {"Option2", QStringLiteral("LPT port2"), PortTip},
    {"Option3", QStringLiteral("LPT port3"), PortTip},
    {"Frame9", QStringLiteral("Bilgisayarı Kapatma Saati")},
    {"Label20", QStringLiteral("Hafta içi")},
    {"Text26", QStringLiteral("17:00")},
    {"Label21", QStringLiteral("Hafta sonu")},
    {"Text45", QStringLiteral("18:00")},
    {"Command19", QStringLiteral("Kaydet")},
    {"Label6", QStringLiteral("Bugüne ait saatler")},
    {"Label3", QStringLiteral("Öğrenci     Öğretmen       Çıkış")},
    {"Label24", QStringLiteral("Müzik")},
    {"Label19", QStringLiteral("Toplanma saatleri")},
    {"Command29", QStringLiteral("Saatleri ayarla"),
     QStringLiteral("Zil çalma saatlerini ayarlamak için tıklayınız.")},
    {"Frame8", QStringLiteral("Zil Melodisi ve Müzik yayını")},
    {"Frame7", QStringLiteral("Öğrenci Zili")},
    {"Frame6", QStringLiteral("Öğretmen Zili")},
    {"Frame5", QStringLiteral("Teneffüs")},
    {"Frame13", QStringLiteral("Toplanma zili")},
    {"Combo3_0", QStringLiteral("Melodi Seçiniz")},
    {"Combo2", QStringLiteral("Melodi Seçiniz")},
    {"Combo1", QStringLiteral("Melodi Seçiniz")},
    {"Combo3_1", QStringLiteral("Melodi Seçiniz")},
    {"Command15", QStringLiteral("Dinle")},
    {"Command16", QStringLiteral("Dinle")},
    {"Command17", QStringLiteral("Dinle")},
    {"Command25", QStringLiteral("Dinle")},
    {"Check1", QStringLiteral("Sözlü anons"), AnnounceTip},
    {"Check2", QStringLiteral("Sözlü anons"), AnnounceTip},
    {"Check3", QStringLiteral("Haftasonu zil çalmasın")},
    {"Check4", QStringLiteral("Haftasonu programı kapat")},
    {"Check5", QStringLiteral("Tenefüste müzik çalsın"),
     QStringLiteral("Tenefüs süresince müzik listesine eklediğiniz mp3 dosyalarının çalmasını istiyorsanız "
                    "işaretleyiniz, yayın yapılacak tenefüsleri  \"Saatler\" bölümünden seçiniz")},
    {"Command21", QStringLiteral("müzik yükle"),
     QStringLiteral("Tenefüslerde yayınlanacak müzikleri seçmek için tıklayınız")},
    {"Command23", QStringLiteral("Sil"),
     QStringLiteral("Silmek istediğiniz müziği listeden seçtikten sonra tıklayınız.")},
    {"Command22", QStringLiteral("Müzik"), QStringLiteral("Rastgele bir müzik çalmak için tıklayınız.")},
    {"Frame10", QStringLiteral("Müzik sesi seviyesi")},
    {"Command27", QStringLiteral("--")},
    {"Label23", QStringLiteral("100")},
    {"Command28", QStringLiteral("+")},
    {"Frame12", QStringLiteral("Başka bir program çalıştır.")},
    {"Check33", QStringLiteral("Hayır")},
    {"Command5", QStringLiteral("Açılacak dosyayı seç")},
    {"Command24", QStringLiteral("Kapatılacak programı seç")},
    {"Label18", QStringLiteral("Tenefüste istediğiniz programı çalıştırmak için bu bölümü kullanın.")},
    {"Label5",
     QStringLiteral("Aşağıdaki düğmeye tıklayarak tenefüste çalışmasını istediğiniz programı (Örneğin bir "
                    "radyo programı) veya bir çalma listesini seçin.")},
    {"Label17",
     QStringLiteral(
         "Aşağıdaki düğmeye tıkladıktan sonra seçeceğiniz dosya bir kısayol değil, mutlaka programın "
         "kendisi yani  *.exe  dosya olmalıdır.  Eğer bir çalma listesi seçtiyseniz bu çalma listesini "
         "yürütecek programı seçin.  Örneğin: Yukarıda  müziklerim.m3u adında bir çalma listesini "
         "seçtiyseniz, aşağıda bu listeyi yürütecek olan  winamp.exe  programını c:\\program "
         "files\\winamp  klasöründen bulup seçin.")},
    {"Command14", QStringLiteral("Kaydet")},
    {"Frame2", QStringLiteral("Hemen Çal")},
    {"Commandac", QStringLiteral("Zilleri aç")},
    {"Command12", QStringLiteral("Etkinlik için zilleri kapat"),
     QStringLiteral("Kutlama, tören.. vs. gibi etkinlikler esnasında zilin çalmasını istemiyorsanız buraya "
                    "tıklayınız.")},
    {"Command6", QStringLiteral("İstiklal Marşı"), QStringLiteral("İstiklal Marşı")},
    {"Command26", QStringLiteral("İstiklal Marşı + konuşma"),
     QStringLiteral(
         "İstiklal Marşın dan sonra amfinin otomatik kapatılmasını istemiyorsanız bu butona tıklayınız")},
    {"Command7", QStringLiteral("1 Dk Saygı dur.ve İst. Marşı")},
    {"Command8", QStringLiteral("2 Dk Saygı dur.ve İst. Marşı"), QStringLiteral("10 Kasım")},
    {"Command20", QStringLiteral("Saygı duruşu")},
    {"Command10", QStringLiteral("Giriş Zili")},
    {"Command11", QStringLiteral("Çıkış Zili")},
    {"Command9", QStringLiteral("Acil Durum Sireni")},
    {"Command13", QStringLiteral("Ses Yayınını Durdur"),
     QStringLiteral("Çalmakta olan seslerin tamamını durdurmak için tıklayınız.")},
    {"Command2", QStringLiteral("Tepsiye Küçült"),
     QStringLiteral("programı görev çubuğuna taşır, menüyü açmak isterseniz saat simgesine sağ tıklayın.")},
    {"Command18", QStringLiteral("Programı Kapat")},
};
} // namespace

TEST(MainWindowDesign, EveryControlCarriesItsCaptionAndToolTip)
{
    GuiRig gui;
    for (const Design& d : Designs) {
        SCOPED_TRACE(d.name);
        const QWidget* w = gui.find(QString::fromLatin1(d.name));
        if (!w)
            continue;
        EXPECT_EQ(captionOf(w), d.caption);
        if (d.toolTip) {
            EXPECT_EQ(w->toolTip(), *d.toolTip);
        }
    }
}

TEST(MainWindowDesign, WindowHasItsCaptionAndIcon)
{
    GuiRig gui;
    EXPECT_EQ(gui.window.windowTitle(), QStringLiteral("Vezox2 Zil Programı"));
    EXPECT_FALSE(gui.window.windowIcon().isNull());
}

TEST(MainWindowDesign, LessonRowsAreLabelledOneToSeventeen)
{
    GuiRig gui;
    const char* const names[Slots::Lessons] = {"Label8_0",  "Label8_1", "Label8_2", "Label8_3",  "Label8_4",
                                               "Label8_5",  "Label8_6", "Label8_7", "Label11",   "Label12",
                                               "Label13",   "Label14",  "Label15",  "Label16_0", "Label16_1",
                                               "Label16_2", "Label16_3"};
    for (int lesson = 1; lesson <= Slots::Lessons; ++lesson) {
        EXPECT_EQ(GridPanel::lessonLabelName(lesson), QString::fromLatin1(names[lesson - 1]));
        if (auto* label = gui.find<QLabel>(QString::fromLatin1(names[lesson - 1]))) {
            EXPECT_EQ(label->text(), QStringLiteral("%1.Ders").arg(lesson));
        }
    }
}

TEST(MainWindowDesign, TimeBoxesAreLockedAndPointToTheEditor)
{
    GuiRig gui;
    for (int slot = 0; slot < Slots::Count; ++slot) {
        auto* box = gui.find<QLineEdit>(Slots::mainFieldName(slot));
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isReadOnly()) << slot;
        EXPECT_EQ(box->toolTip(), QStringLiteral("Değiştirmek için \"Saatleri ayarla\" butonuna basınız."));
    }
}

TEST(MainWindowDesign, LessonMusicBoxesCarryTheirToolTip)
{
    GuiRig gui;
    for (int lesson = 1; lesson <= Slots::Lessons; ++lesson) {
        auto* box = gui.find<QAbstractButton>(lessonMusicBoxName(lesson));
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->text().isEmpty());
        EXPECT_EQ(box->toolTip(),
                  QStringLiteral("Bu ders çıkışında müzik yayını istiyorsanız işaretleyiniz"));
    }
}

TEST(MainWindowDesign, MelodyBoxesOfferNineMelodies)
{
    GuiRig gui;
    for (const char* name : {"Combo3_0", "Combo2", "Combo1", "Combo3_1"}) {
        auto* combo = gui.find<QComboBox>(QString::fromLatin1(name));
        ASSERT_NE(combo, nullptr);
        EXPECT_TRUE(combo->isEditable());
        ASSERT_EQ(combo->count(), 9) << name;
        for (int row = 0; row < 9; ++row)
            EXPECT_EQ(combo->itemText(row), QStringLiteral("Melodi %1").arg(row + 1));
    }
}

TEST(MainWindowDesign, MenuHoldsItsSixItemsInOrderInTheMenuBar)
{
    GuiRig gui;
    QMenu* menu = gui.window.trayMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), QStringLiteral("mnmenu"));
    EXPECT_EQ(menu->title(), QStringLiteral("Vezo Zil Menüsü"));
    EXPECT_TRUE(gui.window.menuBar()->actions().contains(menu->menuAction()));
    const std::pair<const char*, QString> items[] = {
        {"mngoster", QStringLiteral("Ekranda Göster")},     {"amfiac", QStringLiteral("Amfiyi Aç")},
        {"zilkapat", QStringLiteral("Zil kapat")},          {"mncikis", QStringLiteral("Programı Kapat")},
        {"bilgkapat", QStringLiteral("Bilgisayarı Kapat")}, {"sesdur", QStringLiteral("Ses Yayınını Durdur")},
    };
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(actions[i]->objectName(), QString::fromLatin1(items[i].first));
        EXPECT_EQ(actions[i]->text(), items[i].second);
    }
}

TEST(MainWindowDesign, EveryToolTipShowsWithinAReadableWidthWithItsTextWhole)
{
    GuiRig gui;
    gui.window.show();
    for (const Design& d : Designs) {
        if (!d.toolTip || d.toolTip->isEmpty())
            continue;
        SCOPED_TRACE(d.name);
        QToolTip::showText(QPoint(10, 10), ToolTipWrapper::shown(*d.toolTip), &gui.window);
        const QLabel* tip = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->inherits("QTipLabel") && w->isVisible())
                tip = qobject_cast<QLabel*>(w);
        }
        ASSERT_NE(tip, nullptr);
        EXPECT_LE(tip->width(), 560);
        QTextDocument shown;
        shown.setHtml(tip->text());
        // Wrapped or not, every word and space of the text is there, and nothing else.
        EXPECT_EQ(Qt::mightBeRichText(tip->text()) ? shown.toPlainText().trimmed() : tip->text(), *d.toolTip);
        QToolTip::hideText();
    }
}
