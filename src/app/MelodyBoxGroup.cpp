#include "app/MelodyBoxGroup.h"

#include "app/Controls.h"
#include "app/WidgetSync.h"
#include "engine/Controller.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace {
const QString AnnouncementTip = QStringLiteral("Melodiden sonra sözlü anons istiyorsanız işaretleyiniz");
}

MelodyBoxGroup::MelodyBoxGroup(Controller& c, Design design, QWidget* parent)
    : QGroupBox(design.title, parent), m_c(c), m_design(std::move(design))
{
    setObjectName(m_design.frameName);
    m_combo = new QComboBox(this);
    m_combo->setObjectName(m_design.comboName);
    m_combo->setEditable(true);
    // The rows are fixed: typed text selects no row and never becomes a new one.
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->setCompleter(nullptr);
    // Wide enough for "Melodi Seçiniz" whole, and no wider: the entries are shorter.
    QStyleOptionComboBox option;
    option.initFrom(m_combo);
    option.editable = true;
    const QSize text(m_combo->fontMetrics().horizontalAdvance(Texts::MelodyPrompt) + 4,
                     m_combo->fontMetrics().height());
    m_combo->setMinimumWidth(
        m_combo->style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, m_combo).width());
    for (int row = 1; row <= MelodyRows; ++row)
        m_combo->addItem(QStringLiteral("Melodi %1").arg(row));
    m_combo->setEditText(Texts::MelodyPrompt);
    connect(m_combo, &QComboBox::editTextChanged, this, &MelodyBoxGroup::textChanged);

    QPushButton* listen = Controls::button(this, m_design.listenName, QStringLiteral("Dinle"));
    listen->setFixedWidth(listen->fontMetrics().horizontalAdvance(listen->text()) + 28);
    Controls::onClick(listen, m_c, [this] { m_design.listen(m_c); });

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setVerticalSpacing(2);
    layout->addWidget(m_combo, 0, 0);
    layout->addWidget(listen, 0, 1);
    if (!m_design.checkName.isEmpty()) {
        m_check =
            Controls::checkBox(this, m_design.checkName, QStringLiteral("Sözlü anons"), AnnouncementTip);
        layout->addWidget(m_check, 1, 0, 1, 2);
        connect(m_check, &QCheckBox::clicked, this, [this](bool checked) {
            m_c.m.*m_design.announcement = checked;
            m_c.m.touch();
        });
    }
    layout->setColumnStretch(0, 1);
    refresh();
}

void MelodyBoxGroup::textChanged(const QString& text)
{
    MelodyChoice& choice = m_c.m.box(m_design.box);
    choice.text = text;
    choice.position = m_combo->findText(text, Qt::MatchExactly);
    Controls::runHandler(m_c, [this] { m_design.change(m_c); });
}

void MelodyBoxGroup::refresh()
{
    const MelodyChoice& choice = m_c.m.box(m_design.box);
    if (choice.position >= 0 && m_combo->currentIndex() != choice.position) {
        const QSignalBlocker blocker(m_combo);
        m_combo->setCurrentIndex(choice.position);
    }
    // Text the operator is typing already stands in the model, so this leaves the cursor alone.
    WidgetSync::setText(m_combo->lineEdit(), choice.text);
    if (m_check)
        WidgetSync::setChecked(m_check, m_c.m.*m_design.announcement);
}
