#include "app/CalendarStrip.h"

#include "app/Controls.h"
#include "engine/Controller.h"

#include <QLabel>
#include <QToolButton>

namespace {
const QString Separator = QStringLiteral("  •  ");
const QString OrdinaryDay = QStringLiteral("Takvim bugün için bir şey değiştirmiyor: haftalık saatler geçerli.");
constexpr int Gap = 10;
} // namespace

CalendarStrip::CalendarStrip(Controller& c, std::function<void()> openCalendar, QWidget* parent)
    : QWidget(parent), m_c(c)
{
    setObjectName(QStringLiteral("calendarStrip"));
    // Flat, as the menu beside it, so that the menu's line keeps its height.
    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("calendarButton"));
    m_button->setText(QStringLiteral("Takvim"));
    m_button->setToolTip(QStringLiteral("Tatilleri, yarım günleri, gün türlerini ve törenleri gösteren "
                                        "okul takvimini açar."));
    m_button->setAutoRaise(true);
    QFont bold = m_button->font();
    bold.setBold(true);
    m_button->setFont(bold);
    connect(m_button, &QToolButton::clicked, this, [openCalendar = std::move(openCalendar)] {
        if (openCalendar)
            openCalendar();
    });
    m_note = Controls::label(this, QStringLiteral("calendarNote"));
    m_note->setFont(bold);
    m_warning = Controls::label(this, QStringLiteral("calendarWarning"));
    m_warning->setFont(bold);
    m_warning->setStyleSheet(QStringLiteral("color: #b00000;"));
    refresh();
}

QSize CalendarStrip::sizeHint() const
{
    const QSize button = m_button->sizeHint();
    // No taller than a line of text with a little room: a flat button's frame shows only under the
    // mouse, and a taller line would take height from a 1024x768 screen.
    return {button.width() + Gap + m_note->fontMetrics().horizontalAdvance(OrdinaryDay),
            m_note->fontMetrics().height() + 4};
}

QSize CalendarStrip::minimumSizeHint() const
{
    return {m_button->sizeHint().width(), sizeHint().height()};
}

void CalendarStrip::refresh()
{
    const QList<CalendarNote>& notes = m_c.m.calendarNotes;
    if (notes == m_shown && !m_noteText.isEmpty())
        return;
    m_shown = notes;
    QStringList rules, warnings;
    for (const CalendarNote& n : notes)
        (n.warning ? warnings : rules) << n.text;
    m_noteText = rules.isEmpty() ? OrdinaryDay : rules.join(Separator);
    m_warningText = warnings.join(Separator);
    // An ordinary day is said quietly; a day the calendar changes stands out.
    QFont font = m_note->font();
    font.setBold(!rules.isEmpty());
    m_note->setFont(font);
    m_note->setStyleSheet(rules.isEmpty() ? QStringLiteral("color: #606060;") : QString());
    const QStringList all = rules + warnings;
    setToolTip(all.join(QLatin1Char('\n')));
    fit();
}

void CalendarStrip::resizeEvent(QResizeEvent*)
{
    fit();
}

void CalendarStrip::fit()
{
    const QSize button = m_button->sizeHint();
    m_button->setGeometry(0, 0, button.width(), height());
    const int left = button.width() + Gap;
    const int room = std::max(0, width() - left);
    const int noteNeed = m_note->fontMetrics().horizontalAdvance(m_noteText);
    const int warningNeed =
        m_warningText.isEmpty() ? 0 : m_warning->fontMetrics().horizontalAdvance(m_warningText) + Gap;
    // The day's rule keeps its room first, up to half the line when a warning wants the rest.
    const int noteWidth = warningNeed == 0 ? room : std::min(noteNeed, std::max(room - warningNeed, room / 2));
    const int warningWidth = std::max(0, room - noteWidth - Gap);
    const int h = m_note->fontMetrics().height();
    const int top = (height() - h) / 2;
    m_note->setGeometry(left, top, noteWidth, h);
    m_note->setText(m_note->fontMetrics().elidedText(m_noteText, Qt::ElideRight, noteWidth));
    m_warning->setGeometry(left + noteWidth + Gap, top, warningWidth, h);
    m_warning->setText(m_warning->fontMetrics().elidedText(m_warningText, Qt::ElideRight, warningWidth));
    m_warning->setVisible(!m_warningText.isEmpty());
}
