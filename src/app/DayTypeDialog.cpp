#include "app/DayTypeDialog.h"

#include "editor/EditorGeometry.h"
#include "editor/TimeGrid.h"
#include "engine/CalendarCommands.h"
#include "engine/Dialogs.h"
#include "engine/Texts.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {
// The grid frame's height in twips, and what the dialog adds around it in pixels.
constexpr int GridTwips = 9855;
constexpr int AroundGrid = 80;

QSpinBox* spin(QWidget* parent, int low, int high, int value, const QString& suffix = {})
{
    auto* s = new QSpinBox(parent);
    s->setRange(low, high);
    s->setValue(value);
    s->setSuffix(suffix);
    return s;
}

QPushButton* button(QWidget* parent, const QString& caption, const QString& tip = {})
{
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    b->setToolTip(tip);
    return b;
}
} // namespace

DayTypeDialog::DayTypeDialog(CalendarCommands& commands, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_commands(commands), m_dialogs(dialogs.ownedBy(this))
{
    setObjectName(QStringLiteral("DayTypeDialog"));
    setWindowTitle(QStringLiteral("Gün türleri"));
    const QScreen* screen = QGuiApplication::primaryScreen();
    const EditorGeometry geometry(screen ? zoomFor(screen->availableGeometry().size()) : 1.0);
    auto* holder = new QWidget(this);
    m_grid = new TimeGrid(geometry, holder);
    m_grid->move(0, 0);
    holder->setFixedSize(m_grid->size());

    auto* left = new QVBoxLayout;
    left->addWidget(makeListFrame());
    left->addWidget(makeGenerator());
    auto* help = new QLabel(QStringLiteral("Oluşturulan saatleri sağda değiştirebilirsiniz; boş kalacak "
                                           "saatlere XX:XX yazın. Sonra \"Kaydet\"e basın."),
                            this);
    help->setWordWrap(true);
    left->addWidget(help);
    left->addStretch();
    QPushButton* saveButton = button(this, QStringLiteral("Kaydet"));
    saveButton->setObjectName(QStringLiteral("dayTypeSave"));
    QPushButton* close = button(this, QStringLiteral("Kapat"));
    connect(saveButton, &QPushButton::clicked, this, &DayTypeDialog::save);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveButton);
    buttons->addWidget(close);
    left->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(holder, 0, Qt::AlignTop);
    fillList(QString());
    keep(QString()); // the empty grid it opens on is nothing to lose
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
}

DayTypeDialog::~DayTypeDialog() = default;

double DayTypeDialog::zoomFor(const QSize& available)
{
    const double fits = double(available.height() - EditorGeometry::TitleBar - AroundGrid) *
                        EditorGeometry::TwipsPerPixel / GridTwips;
    return std::min(EditorGeometry::zoomFor(available), fits);
}

QWidget* DayTypeDialog::makeListFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Gün türleri"), this);
    m_list = new QListWidget(frame);
    m_list->setObjectName(QStringLiteral("dayTypeList"));
    m_list->setMaximumHeight(m_list->fontMetrics().height() * 7);
    m_name = new QLineEdit(frame);
    m_name->setObjectName(QStringLiteral("dayTypeName"));
    m_name->setPlaceholderText(QStringLiteral("Örneğin: Sınav günü"));
    QPushButton* add = button(frame, QStringLiteral("Yeni"),
                              QStringLiteral("Yeni bir gün türü: sağdaki saatlerden başlar, adını yazın."));
    QPushButton* remove = button(frame, QStringLiteral("Sil"));
    connect(m_list, &QListWidget::currentTextChanged, this, &DayTypeDialog::chosen);
    connect(add, &QPushButton::clicked, this, &DayTypeDialog::newType);
    connect(remove, &QPushButton::clicked, this, &DayTypeDialog::remove);

    auto* name = new QHBoxLayout;
    name->addWidget(new QLabel(QStringLiteral("Adı:"), frame));
    name->addWidget(m_name, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(m_list);
    layout->addLayout(name);
    layout->addLayout(buttons);
    return frame;
}

QWidget* DayTypeDialog::makeGenerator()
{
    const DayTypeRecipe usual;
    auto* frame = new QGroupBox(QStringLiteral("Saatleri oluştur"), this);
    m_first = new QTimeEdit(usual.firstLesson, frame);
    m_first->setDisplayFormat(QStringLiteral("HH:mm"));
    m_lesson = spin(frame, 1, 180, usual.lessonMinutes, QStringLiteral(" dk"));
    m_break = spin(frame, 0, 180, usual.breakMinutes, QStringLiteral(" dk"));
    m_count = spin(frame, 1, Slots::Lessons, usual.lessons);
    m_lunchAfter = spin(frame, 0, Slots::Lessons - 1, usual.lunchAfter, QStringLiteral(". dersten sonra"));
    m_lunchAfter->setSpecialValueText(QStringLiteral("yok"));
    m_lunch = spin(frame, 0, 300, usual.lunchMinutes, QStringLiteral(" dk"));
    m_lead = spin(frame, 0, 30, usual.studentLeadMinutes, QStringLiteral(" dk önce"));
    QPushButton* make = button(frame, QStringLiteral("Saatleri oluştur"),
                               QStringLiteral("Sağdaki saatleri bu sürelerden yeniden doldurur."));
    make->setObjectName(QStringLiteral("dayTypeGenerate"));
    connect(make, &QPushButton::clicked, this, &DayTypeDialog::generate);

    auto* form = new QFormLayout(frame);
    form->addRow(QStringLiteral("İlk dersin başlangıcı:"), m_first);
    form->addRow(QStringLiteral("Ders süresi:"), m_lesson);
    form->addRow(QStringLiteral("Teneffüs süresi:"), m_break);
    form->addRow(QStringLiteral("Ders sayısı:"), m_count);
    form->addRow(QStringLiteral("Öğle arası:"), m_lunchAfter);
    form->addRow(QStringLiteral("Öğle arası süresi:"), m_lunch);
    form->addRow(QStringLiteral("Öğrenci zili:"), m_lead);
    form->addRow(make);
    m_lead->setToolTip(QStringLiteral("Öğrenci zili, öğretmen zilinden bu kadar önce çalar; 0: ayrı bir "
                                      "öğrenci zili yok."));
    return frame;
}

void DayTypeDialog::fillList(const QString& selected)
{
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    m_list->addItems(m_commands.dayTypes());
    const QList<QListWidgetItem*> found = m_list->findItems(selected, Qt::MatchFixedString);
    m_list->setCurrentItem(found.isEmpty() ? nullptr : found.first());
}

bool DayTypeDialog::changed() const
{
    return m_grid->values() != m_saved || m_name->text().trimmed() != m_savedName;
}

bool DayTypeDialog::mayDiscard(const QString& question)
{
    return !changed() || m_dialogs->askYesNo(question);
}

void DayTypeDialog::keep(const QString& name)
{
    m_saved = m_grid->values();
    m_savedName = name;
    m_name->setText(name);
}

void DayTypeDialog::chosen()
{
    const QString name = m_list->currentItem() ? m_list->currentItem()->text() : QString();
    if (name.isEmpty() || name == m_savedName)
        return;
    if (!mayDiscard(QStringLiteral("\"%1\" gün türündeki değişiklikler kaydedilmedi. Kaydetmeden başka "
                                   "bir gün türüne geçilsin mi?")
                        .arg(m_savedName.isEmpty() ? m_name->text() : m_savedName))) {
        fillList(m_savedName);
        return;
    }
    if (const std::optional<DaySchedule> slots = m_commands.readDayType(name))
        m_grid->setValues(*slots);
    keep(name);
}

void DayTypeDialog::newType()
{
    if (!mayDiscard(QStringLiteral("Değişiklikler kaydedilmedi. Kaydetmeden yeni bir gün türüne geçilsin mi?")))
        return;
    fillList(QString());
    keep(QString());
    m_name->setFocus();
}

void DayTypeDialog::generate()
{
    DayTypeRecipe recipe;
    recipe.firstLesson = m_first->time();
    recipe.lessonMinutes = m_lesson->value();
    recipe.breakMinutes = m_break->value();
    recipe.lessons = m_count->value();
    recipe.lunchAfter = m_lunchAfter->value();
    recipe.lunchMinutes = m_lunch->value();
    recipe.studentLeadMinutes = m_lead->value();
    const GeneratedDay made = CalendarCommands::generateDayType(recipe);
    if (!made.slots) {
        m_dialogs->tell(made.problem, Texts::WarningTitle);
        return;
    }
    m_grid->setValues(*made.slots);
}

void DayTypeDialog::save()
{
    const QString name = m_name->text().trimmed();
    const bool other = name.compare(m_savedName, Qt::CaseInsensitive) != 0 &&
                       m_commands.dayTypes().contains(name, Qt::CaseInsensitive);
    if (other && !m_dialogs->askYesNo(
                     QStringLiteral("\"%1\" adında bir gün türü zaten var. Üzerine yazılsın mı?").arg(name)))
        return;
    if (const QString why = m_commands.saveDayType(name, m_grid->values()); !why.isEmpty()) {
        m_dialogs->tell(why, Texts::WarningTitle);
        return;
    }
    fillList(name);
    keep(name);
}

void DayTypeDialog::remove()
{
    const QString name = m_list->currentItem() ? m_list->currentItem()->text() : QString();
    if (name.isEmpty() || !m_dialogs->askYesNo(QStringLiteral("\"%1\" gün türü silinsin mi?").arg(name)))
        return;
    if (const QString why = m_commands.removeDayType(name); !why.isEmpty()) {
        m_dialogs->tell(why, Texts::WarningTitle);
        return;
    }
    fillList(QString());
    keep(QString());
}

void DayTypeDialog::done(int result)
{
    if (mayDiscard(QStringLiteral("Gün türündeki değişiklikler kaydedilmedi. Kaydetmeden kapatılsın mı?")))
        QDialog::done(result);
}
