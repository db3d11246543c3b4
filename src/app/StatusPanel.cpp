#include "app/StatusPanel.h"

#include "app/ClockLabel.h"
#include "app/Controls.h"
#include "app/WidgetSync.h"
#include "engine/Controller.h"
#include "engine/Texts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

StatusPanel::StatusPanel(Controller& c, QWidget* parent) : QWidget(parent), m_c(c)
{
    m_label7 = Controls::label(this, QStringLiteral("Label7"));
    m_label7->setAlignment(Qt::AlignCenter);
    QFont bold = m_label7->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    m_label7->setFont(bold);
    // Room for the longer of the two states, so the switch does not move the window's layout.
    const QFontMetrics metrics = m_label7->fontMetrics();
    m_label7->setMinimumSize(metrics.horizontalAdvance(Texts::BellsOff) + metrics.height(),
                             metrics.height() * 3 / 2 + 4);
    m_label7->setFrameShape(QFrame::Panel);
    m_label7->setFrameShadow(QFrame::Sunken);

    m_label22 = Controls::label(this, QStringLiteral("Label22"));
    m_label22->setAlignment(Qt::AlignCenter);
    m_label22->setToolTip(QStringLiteral("Zillerin kapalı olma durumu: 0 açık, 1 kapalı"));

    // The bell switch and its flag side by side, under the minute of the last bell.
    auto* bellSwitch = new QHBoxLayout;
    bellSwitch->setSpacing(4);
    bellSwitch->addWidget(m_label7, 1);
    bellSwitch->addWidget(m_label22);
    auto* bells = new QVBoxLayout;
    bells->setSpacing(4);
    bells->addWidget(makeLastBell(), 1);
    bells->addLayout(bellSwitch);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(makeClock(), 1);
    row->addLayout(bells);
    refresh();
}

QGroupBox* StatusPanel::makeClock()
{
    m_frame1 = Controls::group(this, QStringLiteral("Frame1"), QString());
    QFont dateFont = m_frame1->font();
    dateFont.setBold(true);
    m_frame1->setFont(dateFont);
    m_frame1->setAlignment(Qt::AlignHCenter);

    m_label1 = new ClockLabel(m_frame1);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setTextFormat(Qt::PlainText);
    QFont clockFont(QStringLiteral("DejaVu Serif"));
    clockFont.setStyleHint(QFont::Serif);
    clockFont.setPointSizeF(m_frame1->font().pointSizeF() * 2.6);
    clockFont.setBold(true);
    m_label1->setFont(clockFont);
    m_label1->setAlignment(Qt::AlignCenter);
    // A fixed size keeps the second hand from relaying out the window every second.
    const QSize digits = m_label1->fontMetrics().size(0, QStringLiteral("00:00:00"));
    m_label1->setFixedSize(digits + QSize(digits.height() / 2, 4));
    // Opaque, so that each second repaints the clock alone and not the frame behind it.
    m_label1->setBackgroundRole(QPalette::Base);
    m_label1->setAutoFillBackground(true);
    m_label1->setFrameShape(QFrame::StyledPanel);
    m_label1->setFrameShadow(QFrame::Sunken);

    auto* layout = new QVBoxLayout(m_frame1);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->addWidget(m_label1, 0, Qt::AlignCenter);
    // The date is the frame's caption; room for the longest month and day names.
    m_frame1->setMinimumWidth(
        m_frame1->fontMetrics().horizontalAdvance(QStringLiteral("30 Ağustos 2026  Cumartesi")) +
        m_frame1->fontMetrics().height() * 2);
    return m_frame1;
}

QGroupBox* StatusPanel::makeLastBell()
{
    QGroupBox* frame4 = Controls::group(this, QStringLiteral("Frame4"), QStringLiteral("Son Alarm"));
    m_text1 = Controls::timeDisplay(frame4, QStringLiteral("Text1"));
    QFont big = m_text1->font();
    big.setPointSizeF(big.pointSizeF() * 1.2);
    m_text1->setFont(big);
    m_text1->setFixedWidth(m_text1->fontMetrics().horizontalAdvance(QStringLiteral("00:00")) + 20);
    auto* layout = new QVBoxLayout(frame4);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->addStretch();
    layout->addWidget(m_text1, 0, Qt::AlignCenter);
    layout->addStretch();
    return frame4;
}

void StatusPanel::refreshClock()
{
    WidgetSync::setText(m_label1, m_c.m.label1Caption);
}

void StatusPanel::refresh()
{
    const MainModel& m = m_c.m;
    WidgetSync::setTitle(m_frame1, m.frame1Caption);
    refreshClock();
    WidgetSync::setText(m_text1, m.text1);
    WidgetSync::setText(m_label7, m.label7.caption);
    WidgetSync::setBackground(m_label7, m.label7.colour);
    WidgetSync::setText(m_label22, m.label22Caption);
}
