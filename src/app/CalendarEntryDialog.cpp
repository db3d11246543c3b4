#include "app/CalendarEntryDialog.h"

#include "app/CalendarWords.h"
#include "app/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
using Form = CalendarEntryDialog::Form;

struct FormText
{
    Form form;
    const char* name;
    const char* help;
};

const FormText Forms[] = {
    {Form::Holiday, "Tatil (bütün gün)", "Bu günlerde zil çalmaz."},
    {Form::TimedHoliday, "Yarım gün ya da saatli tatil",
     "Başlangıçtan bitişe dek zil çalmaz. 28 Ekim ve arife gibi yarım günlerde 13:00'ten günün sonuna "
     "kadardır."},
    {Form::DayType, "Gün türü",
     "Bu günlerde haftanın günü yerine seçilen gün türünün saatleri çalar (sınav günü, kış saatleri)."},
    {Form::SchoolDay, "Okul günü",
     "Tatil olsa da okul günüdür (telafi günü): zil çalar, hafta sonu kuralları için hafta içi sayılır."},
    {Form::SchoolYear, "Eğitim yılı",
     "Eğitim yılı girilince, hiçbir eğitim yılı aralığına düşmeyen günlerde (yaz tatili) zil çalmaz."},
    {Form::Ceremony, "Tören",
     "Seçilen ses, zamanında \"Hemen Çal\" düğmesindeki gibi amfiyle birlikte çalar; zil kapalı "
     "günlerde çalmaz."},
    {Form::Other, "Başka takvimden (uygulanmaz)",
     "Başka bir takvim programından gelen bu kayıt zilleri etkilemez; etkilemesi için türünü seçin."},
};

const FormText& textOf(Form form)
{
    for (const FormText& t : Forms) {
        if (t.form == form)
            return t;
    }
    return Forms[0];
}

Form formOf(const CalendarEntry& e)
{
    switch (e.kind) {
    case EntryKind::Holiday:
        return e.allDay ? Form::Holiday : Form::TimedHoliday;
    case EntryKind::DayType:
        return Form::DayType;
    case EntryKind::SchoolDay:
        return Form::SchoolDay;
    case EntryKind::SchoolYear:
        return Form::SchoolYear;
    case EntryKind::Ceremony:
        return Form::Ceremony;
    case EntryKind::Other:
        break;
    }
    return Form::Other;
}

bool allDay(Form f)
{
    return f == Form::Holiday || f == Form::DayType || f == Form::SchoolDay || f == Form::SchoolYear;
}

EntryKind kindOf(Form f)
{
    switch (f) {
    case Form::DayType:
        return EntryKind::DayType;
    case Form::SchoolDay:
        return EntryKind::SchoolDay;
    case Form::SchoolYear:
        return EntryKind::SchoolYear;
    case Form::Ceremony:
        return EntryKind::Ceremony;
    case Form::Other:
        return EntryKind::Other;
    case Form::Holiday:
    case Form::TimedHoliday:
        break;
    }
    return EntryKind::Holiday;
}

template <typename Edit> Edit* dateEdit(QWidget* parent, const QString& name, const QString& format)
{
    auto* e = new Edit(parent);
    e->setObjectName(name);
    e->setLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
    e->setDisplayFormat(format);
    e->setCalendarPopup(true);
    return e;
}

QDateTime endOfDay(const QDate& date)
{
    return QDateTime(date.addDays(1), QTime(0, 0));
}
} // namespace

CalendarEntryDialog::CalendarEntryDialog(const CalendarEntry& entry, const QStringList& dayTypes,
                                         QWidget* parent)
    : QDialog(parent), m_entry(entry)
{
    setObjectName(QStringLiteral("CalendarEntryDialog"));
    setWindowTitle(QStringLiteral("Takvim kaydı"));
    buildFields(dayTypes);
    QDialogButtonBox* buttons = Controls::saveCancelButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_layout);
    layout->addWidget(m_help);
    layout->addStretch();
    layout->addWidget(buttons);
    showEntry();
    connect(m_kind, &QComboBox::currentIndexChanged, this, &CalendarEntryDialog::showForm);
    connect(m_toEndOfDay, &QCheckBox::toggled, m_end, &QWidget::setDisabled);
}

void CalendarEntryDialog::buildFields(const QStringList& dayTypes)
{
    m_layout = new QFormLayout;
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("entryKind"));
    for (const FormText& t : Forms) {
        if (t.form != Form::Other || m_entry.kind == EntryKind::Other)
            m_kind->addItem(QString::fromUtf8(t.name), static_cast<int>(t.form));
    }
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("entryName"));
    m_name->setPlaceholderText(QStringLiteral("Örneğin: Cumhuriyet Bayramı arifesi"));
    m_first = dateEdit<QDateEdit>(this, QStringLiteral("entryFirstDay"), QStringLiteral("d MMMM yyyy dddd"));
    m_last = dateEdit<QDateEdit>(this, QStringLiteral("entryLastDay"), QStringLiteral("d MMMM yyyy dddd"));
    const QString timed = QStringLiteral("d MMMM yyyy dddd HH:mm");
    m_start = dateEdit<QDateTimeEdit>(this, QStringLiteral("entryStart"), timed);
    m_end = dateEdit<QDateTimeEdit>(this, QStringLiteral("entryEnd"), timed);
    m_toEndOfDay = new QCheckBox(QStringLiteral("Günün sonuna kadar (yarım gün)"), this);
    m_moment = dateEdit<QDateTimeEdit>(this, QStringLiteral("entryMoment"), timed);
    m_sound = new QComboBox(this);
    for (const QString& sound : CalendarNames::ceremonySounds())
        m_sound->addItem(CalendarWords::soundCaption(sound), sound);
    m_dayType = new QComboBox(this);
    m_dayType->setEditable(true);
    m_dayType->addItem(QString());
    m_dayType->addItems(dayTypes);
    m_source = new QComboBox(this);
    for (const EntrySource s : {EntrySource::School, EntrySource::Official, EntrySource::Religious})
        m_source->addItem(CalendarNames::sourceText(s), static_cast<int>(s));
    m_yearly = new QCheckBox(this);
    m_help = new QLabel(this);
    m_help->setWordWrap(true);

    m_layout->addRow(QStringLiteral("Türü:"), m_kind);
    m_layout->addRow(QStringLiteral("Adı:"), m_name);
    m_layout->addRow(QStringLiteral("İlk gün:"), m_first);
    m_layout->addRow(QStringLiteral("Son gün:"), m_last);
    m_layout->addRow(QStringLiteral("Başlangıç:"), m_start);
    m_layout->addRow(QStringLiteral("Bitiş:"), m_end);
    m_layout->addRow(QString(), m_toEndOfDay);
    m_layout->addRow(QStringLiteral("Zamanı:"), m_moment);
    m_layout->addRow(QStringLiteral("Ses:"), m_sound);
    m_layout->addRow(QStringLiteral("Gün türü:"), m_dayType);
    m_layout->addRow(QStringLiteral("Kaynağı:"), m_source);
    m_layout->addRow(QString(), m_yearly);
}

void CalendarEntryDialog::showEntry()
{
    const CalendarEntry& e = m_entry;
    m_shown = formOf(e);
    m_kind->setCurrentIndex(m_kind->findData(static_cast<int>(m_shown)));
    m_name->setText(e.summary);
    m_first->setDate(e.firstDay());
    m_last->setDate(e.allDay ? e.lastDay() : e.firstDay());
    m_start->setDateTime(e.start);
    const bool toEnd = !e.allDay && e.end == endOfDay(e.start.date());
    m_end->setDateTime(e.end > e.start ? e.end : e.start.addSecs(3600));
    m_toEndOfDay->setChecked(toEnd);
    m_end->setDisabled(toEnd);
    m_moment->setDateTime(e.start);
    m_sound->setCurrentIndex(std::max(0, m_sound->findData(e.sound)));
    m_dayType->setCurrentText(e.dayType);
    m_source->setCurrentIndex(std::max(0, m_source->findData(static_cast<int>(e.source))));
    // Any other rule of repetition, read from another program, is kept unless the box is cleared.
    const bool yearly = e.rrule.isEmpty() || e.rrule.startsWith(QLatin1String("FREQ=YEARLY"), Qt::CaseInsensitive);
    m_yearly->setText(yearly ? QStringLiteral("Her yıl tekrarlansın")
                             : QStringLiteral("Tekrarlansın (%1)").arg(e.rrule));
    m_yearly->setChecked(!e.rrule.isEmpty());
    showForm();
}

CalendarEntryDialog::Form CalendarEntryDialog::form() const
{
    return static_cast<Form>(m_kind->currentData().toInt());
}

QDate CalendarEntryDialog::shownFirstDay() const
{
    if (allDay(m_shown))
        return m_first->date();
    return m_shown == Form::Ceremony ? m_moment->date() : m_start->date();
}

void CalendarEntryDialog::showForm()
{
    // A day chosen in one kind's fields stays chosen in the next kind's.
    const QDate day = shownFirstDay();
    const Form f = form();
    if (m_first->date() != day) {
        m_first->setDate(day);
        m_last->setDate(std::max(day, m_last->date()));
    }
    if (m_start->date() != day) {
        const qint64 length = m_start->dateTime().secsTo(m_end->dateTime());
        m_start->setDate(day);
        m_end->setDateTime(m_start->dateTime().addSecs(std::max<qint64>(length, 60)));
    }
    m_moment->setDate(day);
    m_shown = f;

    const bool timed = f == Form::TimedHoliday || f == Form::Other;
    const bool namesDayType = f == Form::DayType || f == Form::SchoolDay;
    for (QWidget* w : {static_cast<QWidget*>(m_first), static_cast<QWidget*>(m_last)})
        m_layout->setRowVisible(w, allDay(f));
    for (QWidget* w : {static_cast<QWidget*>(m_start), static_cast<QWidget*>(m_end),
                       static_cast<QWidget*>(m_toEndOfDay)})
        m_layout->setRowVisible(w, timed);
    m_layout->setRowVisible(m_moment, f == Form::Ceremony);
    m_layout->setRowVisible(m_sound, f == Form::Ceremony);
    m_layout->setRowVisible(m_dayType, namesDayType);
    m_dayType->lineEdit()->setPlaceholderText(f == Form::SchoolDay
                                                  ? QStringLiteral("yok: haftanın günü saatleri çalar")
                                                  : QStringLiteral("gün türünü seçiniz"));
    m_layout->setRowVisible(m_source, f == Form::Holiday || f == Form::TimedHoliday);
    m_help->setText(QString::fromUtf8(textOf(f).help));
    adjustSize();
}

CalendarEntry CalendarEntryDialog::entry() const
{
    CalendarEntry e = m_entry;
    const Form f = form();
    e.summary = m_name->text().trimmed();
    e.kind = kindOf(f);
    e.allDay = allDay(f);
    e.problem.clear();
    if (e.allDay) {
        e.start = QDateTime(m_first->date(), QTime(0, 0));
        e.end = endOfDay(m_last->date());
    } else if (f == Form::Ceremony) {
        e.start = e.end = m_moment->dateTime();
    } else {
        e.start = m_start->dateTime();
        e.end = m_toEndOfDay->isChecked() ? endOfDay(e.start.date()) : m_end->dateTime();
    }
    e.sound = f == Form::Ceremony ? m_sound->currentData().toString() : QString();
    e.dayType = f == Form::DayType || f == Form::SchoolDay ? m_dayType->currentText().trimmed() : QString();
    if (f == Form::Holiday || f == Form::TimedHoliday)
        e.source = static_cast<EntrySource>(m_source->currentData().toInt());
    if (!m_yearly->isChecked()) {
        e.rrule.clear();
        e.exceptions.clear();
    } else if (e.rrule.isEmpty()) {
        e.rrule = QStringLiteral("FREQ=YEARLY");
    }
    return e;
}
