#include "app/Controls.h"

#include "engine/Controller.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace Controls {

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QString& toolTip)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(toolTip);
    b->setAutoDefault(false);
    return b;
}

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption, const QString& toolTip)
{
    auto* b = new QCheckBox(caption, parent);
    b->setObjectName(name);
    b->setToolTip(toolTip);
    return b;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    // Captions are shown as written, never read as markup.
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLabel* helpText(QWidget* parent, const QString& name, const QString& caption)
{
    QLabel* l = label(parent, name, caption);
    l->setWordWrap(true);
    return l;
}

QDialogButtonBox* saveCancelButtons(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Save)->setText(QStringLiteral("Kaydet"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Vazgeç"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QGroupBox* group(QWidget* parent, const QString& name, const QString& title)
{
    auto* g = new QGroupBox(title, parent);
    g->setObjectName(name);
    return g;
}

QLineEdit* timeDisplay(QWidget* parent, const QString& name, const QString& toolTip)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setToolTip(toolTip);
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignCenter);
    e->setFocusPolicy(Qt::NoFocus);
    // Room for "hh:mm" and no more, so the grid stays narrow.
    const int width = e->fontMetrics().horizontalAdvance(QStringLiteral("00:00")) + 18;
    e->setFixedWidth(width);
    return e;
}

void onClick(QAbstractButton* button, Controller& c, std::function<void()> handler)
{
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [&c, handler = std::move(handler)] { runHandler(c, handler); });
}

void runHandler(Controller& c, const std::function<void()>& handler)
{
    handler();
    c.m.touch();
}

} // namespace Controls
