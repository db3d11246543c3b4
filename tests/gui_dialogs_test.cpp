#include "support/ModalDialogs.h"
#include "support/TestSupport.h"

#include "app/CalendarEntryDialog.h"
#include "app/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {
struct BoxSeen
{
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::Information;
    QStringList buttons;
};

std::function<void(QMessageBox*)> recordAndPress(BoxSeen& seen, QMessageBox::StandardButton press)
{
    return [&seen, press](QMessageBox* box) {
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            seen.buttons << b->text().remove(QLatin1Char('&'));
        box->button(press)->click();
    };
}

class QtDialogsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { translated = installTurkishTranslations(*qApp); }
    static inline bool translated = false;
    QtDialogs dialogs;
};
} // namespace

TEST_F(QtDialogsTest, TurkishCatalogueIsInstalled)
{
    EXPECT_TRUE(translated);
}

TEST_F(QtDialogsTest, QuestionHasTheWarningTitleYesAndNoAndNoIcon)
{
    BoxSeen seen;
    whenOpen<QMessageBox>(recordAndPress(seen, QMessageBox::Yes));
    EXPECT_TRUE(dialogs.askYesNo(QStringLiteral("Kapatmak istediğinizden emin misiniz ?")));
    EXPECT_EQ(seen.title, QStringLiteral("Vezo Zil UYARI !"));
    EXPECT_EQ(seen.text, QStringLiteral("Kapatmak istediğinizden emin misiniz ?"));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    seen.buttons.sort();
    EXPECT_EQ(seen.buttons, (QStringList{QStringLiteral("Evet"), QStringLiteral("Hayır")}));
}

TEST_F(QtDialogsTest, QuestionShowsMarkupAsWritten)
{
    whenOpen<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        box->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(dialogs.askYesNo(QStringLiteral("<b>C:\\a<b>.exe</b>")));
}

TEST_F(QtDialogsTest, AnsweringNoIsFalse)
{
    BoxSeen seen;
    whenOpen<QMessageBox>(recordAndPress(seen, QMessageBox::No));
    EXPECT_FALSE(dialogs.askYesNo(QStringLiteral("Amfiyi sürekli olarak açmak istiyor musunuz?")));
}

TEST_F(QtDialogsTest, MessageWithoutTitleTakesTheProgramsName)
{
    BoxSeen seen;
    whenOpen<QMessageBox>(recordAndPress(seen, QMessageBox::Ok));
    dialogs.tell(QStringLiteral("Zil programı zaten çalışıyor !"), QString());
    EXPECT_EQ(seen.title, QStringLiteral("Vezo Zil"));
    EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("Tamam")});
}

TEST_F(QtDialogsTest, MessageKeepsTheTitleGiven)
{
    BoxSeen seen;
    whenOpen<QMessageBox>(recordAndPress(seen, QMessageBox::Ok));
    dialogs.tell(QStringLiteral("Ayarlar kaydedilemedi"), QStringLiteral("Vezo Zil UYARI !"));
    EXPECT_EQ(seen.title, QStringLiteral("Vezo Zil UYARI !"));
}

TEST_F(QtDialogsTest, FiltersAreConvertedToQtsForm)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("Müzik Seçin|*.mp3"), QStringLiteral("Müzik Seçin (*.mp3)")},
        {QString(), QString()},
        {QStringLiteral("Ses|*.wav;*.mp3|Hepsi|*.*"), QStringLiteral("Ses (*.wav *.mp3);;Hepsi (*.*)")},
        {QStringLiteral("eksik"), QString()},
    };
    for (const auto& [system, qt] : cases)
        EXPECT_EQ(QtDialogs::qtFilter(system), qt) << system.toStdString();
}

TEST_F(QtDialogsTest, CancelledFileChoiceIsNothing)
{
    QStringList filters;
    whenOpen<QFileDialog>([&filters](QFileDialog* d) {
        filters = d->nameFilters();
        d->reject();
    });
    EXPECT_EQ(dialogs.chooseFile(QStringLiteral("Müzik Seçin|*.mp3")), std::nullopt);
    EXPECT_EQ(filters, QStringList{QStringLiteral("Müzik Seçin (*.mp3)")});
}

TEST_F(QtDialogsTest, ChosenFileComesBackWithItsFullPath)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("radyo.m3u"));
    QFile(path).open(QIODevice::WriteOnly);
    whenOpen<QFileDialog>([path](QFileDialog* d) {
        d->selectFile(path);
        static_cast<QDialog*>(d)->accept(); // as the "Open" button does
    });
    EXPECT_EQ(dialogs.chooseFile(QString()), std::optional<QString>(QDir::toNativeSeparators(path)));
}

// An entry opened in the calendar's entry dialog and saved untouched comes back as it was, whatever
// its kind, its times and a recurrence written by another calendar program.
TEST(CalendarEntryDialogTest, EntrySavedUntouchedIsTheEntryOpened)
{
    const QDate day(2027, 3, 10);
    auto withDayType = [](CalendarEntry e, const QString& type) {
        e.dayType = type;
        return e;
    };
    CalendarEntry religious = CalendarEntry::allDayEntry(EntryKind::Holiday, QStringLiteral("Bayram"), day,
                                                         day.addDays(2));
    religious.source = EntrySource::Religious;
    CalendarEntry ceremony = CalendarEntry::timedEntry(EntryKind::Ceremony, QStringLiteral("Tören"),
                                                       QDateTime(day, QTime(9, 5)), {});
    ceremony.sound = QStringLiteral("saygi2");
    ceremony.rrule = QStringLiteral("FREQ=YEARLY");
    CalendarEntry weekly = CalendarEntry::allDayEntry(EntryKind::Holiday, QStringLiteral("Kulüp"), day, day);
    weekly.rrule = QStringLiteral("FREQ=WEEKLY;COUNT=4");
    weekly.exceptions = {day.addDays(7)};
    const CalendarEntry entries[] = {
        religious,
        CalendarEntry::timedEntry(EntryKind::Holiday, QStringLiteral("Arife"), QDateTime(day, QTime(13, 0)),
                                  QDateTime(day.addDays(1), QTime(0, 0))),
        CalendarEntry::timedEntry(EntryKind::Holiday, QStringLiteral("Toplantı"), QDateTime(day, QTime(10, 0)),
                                  QDateTime(day, QTime(12, 30))),
        withDayType(CalendarEntry::allDayEntry(EntryKind::DayType, QStringLiteral("Sınavlar"), day,
                                               day.addDays(4)),
                    QStringLiteral("Sınav günü")),
        withDayType(CalendarEntry::allDayEntry(EntryKind::SchoolDay, QStringLiteral("Telafi"), day, day),
                    QStringLiteral("Kış saatleri")),
        CalendarEntry::allDayEntry(EntryKind::SchoolYear, QStringLiteral("2. dönem"), day, day.addMonths(3)),
        ceremony,
        weekly,
    };
    for (const CalendarEntry& e : entries) {
        CalendarEntryDialog dialog(e, {QStringLiteral("Kış saatleri"), QStringLiteral("Sınav günü")});
        const CalendarEntry saved = dialog.entry();
        EXPECT_TRUE(saved.sameAs(e)) << e.summary.toStdString() << ": " << saved.start.toString().toStdString()
                                     << " - " << saved.end.toString().toStdString() << " "
                                     << saved.rrule.toStdString() << " " << saved.dayType.toStdString();
    }
}
