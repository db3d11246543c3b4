#include "app/BreakProgramPanel.h"

#include "app/Controls.h"
#include "app/WidgetSync.h"
#include "engine/Controller.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

namespace {
const QString Label18Text =
    QStringLiteral("Tenefüste istediğiniz programı çalıştırmak için bu bölümü kullanın.");
const QString Label5Text = QStringLiteral("Aşağıdaki düğmeye tıklayarak tenefüste çalışmasını istediğiniz "
                                          "programı (Örneğin bir radyo programı) veya "
                                          "bir çalma listesini seçin.");
const QString Label17Text = QStringLiteral(
    "Aşağıdaki düğmeye tıkladıktan sonra seçeceğiniz dosya bir kısayol değil, mutlaka programın kendisi yani "
    " "
    "*.exe  dosya olmalıdır.  Eğer bir çalma listesi seçtiyseniz bu çalma listesini yürütecek programı "
    "seçin.  "
    "Örneğin: Yukarıda  müziklerim.m3u adında bir çalma listesini seçtiyseniz, aşağıda bu listeyi yürütecek "
    "olan  winamp.exe  programını c:\\program files\\winamp  klasöründen bulup seçin.");
const QString NothingChosen = QStringLiteral("(seçilmedi)");

// Shows what was chosen, so the operator can see which program a break will run and end.
QLineEdit* choiceBox(QWidget* parent, const QString& name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    return box;
}

QHBoxLayout* withChoice(QPushButton* button, QLineEdit* choice)
{
    auto* row = new QHBoxLayout;
    row->addWidget(button);
    row->addWidget(choice, 1);
    return row;
}

void showChoice(QLineEdit* box, const QString& value)
{
    const QString text = value.isEmpty() ? NothingChosen : value;
    WidgetSync::setText(box, text);
    WidgetSync::setToolTip(box, text);
}
} // namespace

BreakProgramPanel::BreakProgramPanel(Controller& c, QWidget* parent)
    : QGroupBox(QStringLiteral("Başka bir program çalıştır."), parent), m_c(c)
{
    setObjectName(QStringLiteral("Frame12"));
    m_check33 = Controls::checkBox(this, QStringLiteral("Check33"), QStringLiteral("Hayır"));
    connect(m_check33, &QCheckBox::clicked, this, [this](bool checked) {
        m_c.m.check33 = checked;
        Controls::runHandler(m_c, [this] { m_c.program.Check33_Click(); });
    });

    QLabel* label18 = Controls::helpText(this, QStringLiteral("Label18"), Label18Text);
    QLabel* label5 = Controls::helpText(this, QStringLiteral("Label5"), Label5Text);
    QPushButton* command5 =
        Controls::button(this, QStringLiteral("Command5"), QStringLiteral("Açılacak dosyayı seç"));
    QLabel* label17 = Controls::helpText(this, QStringLiteral("Label17"), Label17Text);
    QPushButton* command24 =
        Controls::button(this, QStringLiteral("Command24"), QStringLiteral("Kapatılacak programı seç"));
    Controls::onClick(command5, m_c, [this] { m_c.program.Command5_Click(); });
    Controls::onClick(command24, m_c, [this] { m_c.program.Command24_Click(); });
    m_programPath = choiceBox(this, QStringLiteral("programPath"));
    m_imageName = choiceBox(this, QStringLiteral("programImageName"));
    m_helpTexts = {label18, label5, label17};
    m_programControls = {label18, label5, command5, m_programPath, label17, command24, m_imageName};

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(3);
    layout->addWidget(m_check33);
    layout->addWidget(label18);
    layout->addWidget(label5);
    layout->addLayout(withChoice(command5, m_programPath));
    layout->addWidget(label17);
    layout->addLayout(withChoice(command24, m_imageName));
    refresh();
}

void BreakProgramPanel::fitTextsTo(int panelWidth)
{
    const QMargins frame = contentsMargins();
    const QMargins inner = layout()->contentsMargins();
    const int width = panelWidth - frame.left() - frame.right() - inner.left() - inner.right();
    for (QLabel* label : m_helpTexts) {
        label->setFixedHeight(label->heightForWidth(width));
        // With its height fixed the label no longer asks for one by width; a layout that still thought
        // so would keep sizes from the other mode and grow the window when "Hayır" is ticked.
        QSizePolicy policy = label->sizePolicy();
        policy.setHeightForWidth(false);
        label->setSizePolicy(policy);
    }
}

void BreakProgramPanel::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    // The panel's real width, should it differ from the one the texts were fitted to.
    if (event->size().width() != event->oldSize().width())
        fitTextsTo(event->size().width());
}

void BreakProgramPanel::refresh()
{
    const MainModel& m = m_c.m;
    WidgetSync::setChecked(m_check33, m.check33);
    for (QWidget* w : m_programControls)
        WidgetSync::setShown(w, m.programControlsShown);
    showChoice(m_programPath, m_c.s.breakProgramPath);
    showChoice(m_imageName, m_c.s.breakProgramImageName);
}
