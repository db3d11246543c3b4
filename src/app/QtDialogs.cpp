#include "app/QtDialogs.h"

#include "app/CalendarEntryDialog.h"
#include "app/DayTypeDialog.h"
#include "app/RelayDialog.h"
#include "app/SchoolYearDialog.h"
#include "common/Log.h"
#include "engine/Texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

namespace {
// Window managers draw a title bar no wider than its window, and Qt sizes a message box by its text
// alone: a short message ("Gün seçiniz") would leave its title as "…". The box is kept wide enough
// for the title and the title bar's buttons.
void keepTitleReadable(QMessageBox& box)
{
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    const int buttons = 4 * metrics.height() + 48;
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    grid->addItem(new QSpacerItem(metrics.horizontalAdvance(box.windowTitle()) + buttons, 0,
                                  QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}
} // namespace

QtDialogs::QtDialogs(QWidget* window) : m_parent(window), m_raiseParentAfter(true) {}

std::unique_ptr<Dialogs> QtDialogs::ownedBy(QObject* window)
{
    return std::make_unique<QtDialogs>(qobject_cast<QWidget*>(window));
}

int QtDialogs::run(QMessageBox& box)
{
    // Messages may quote paths and names: shown as written, never read as markup.
    box.setTextFormat(Qt::PlainText);
    keepTitleReadable(box);
    const int answer = box.exec();
    // A box of another window returns that window to the front, above the main window.
    if (m_raiseParentAfter && m_parent && m_parent->isVisible()) {
        m_parent->raise();
        m_parent->activateWindow();
    }
    return answer;
}

bool QtDialogs::askYesNo(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, Texts::WarningTitle, text, QMessageBox::Yes | QMessageBox::No,
                    m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return run(box) == QMessageBox::Yes;
}

void QtDialogs::tell(const QString& text, const QString& title)
{
    // A message without a title of its own carries the program's name.
    QMessageBox box(QMessageBox::NoIcon, title.isEmpty() ? Texts::AppTitle : title, text, QMessageBox::Ok,
                    m_parent);
    run(box);
}

std::optional<QString> QtDialogs::chooseFile(const QString& filter)
{
    const QString qt = qtFilter(filter);
    const QString caption =
        filter.isEmpty() ? QStringLiteral("Dosya Seçin") : filter.section(QLatin1Char('|'), 0, 0);
    const QString chosen = QFileDialog::getOpenFileName(m_parent, caption, m_lastFolder, qt);
    if (chosen.isEmpty())
        return std::nullopt;
    // The next choice starts where the operator found this one.
    m_lastFolder = QFileInfo(chosen).absolutePath();
    return QDir::toNativeSeparators(chosen);
}

std::optional<QString> QtDialogs::chooseSaveFile(const QString& filter, const QString& suggestedName)
{
    const QString caption = filter.section(QLatin1Char('|'), 0, 0);
    const QString start = m_lastFolder.isEmpty() ? suggestedName : m_lastFolder + '/' + suggestedName;
    const QString chosen = QFileDialog::getSaveFileName(m_parent, caption, start, qtFilter(filter));
    if (chosen.isEmpty())
        return std::nullopt;
    m_lastFolder = QFileInfo(chosen).absolutePath();
    return QDir::toNativeSeparators(chosen);
}

void QtDialogs::chooseRelay(RelaySetup& setup)
{
    RelayDialog dialog(setup, m_parent);
    dialog.exec();
}

bool QtDialogs::editCalendarEntry(CalendarEntry& entry, const QStringList& dayTypes)
{
    CalendarEntryDialog dialog(entry, dayTypes, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    entry = dialog.entry();
    return true;
}

bool QtDialogs::enterSchoolYear(SchoolYearDates& dates)
{
    SchoolYearDialog dialog(dates, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dates = dialog.dates();
    return true;
}

void QtDialogs::editDayTypes(CalendarCommands& commands)
{
    DayTypeDialog dialog(commands, *this, m_parent);
    dialog.exec();
}

QString QtDialogs::qtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        // The system separates patterns with ';', Qt with blanks.
        const QString patterns =
            parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        entries << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return entries.join(QStringLiteral(";;"));
}

bool installTurkishTranslations(QCoreApplication& app)
{
    // A portable install carries the catalogue beside the program; otherwise Qt's own folder has it.
    const QStringList folders = {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    auto* translator = new QTranslator(&app);
    for (const QString& folder : folders) {
        if (translator->load(QStringLiteral("qtbase_tr"), folder) &&
            QCoreApplication::installTranslator(translator))
            return true;
    }
    qCWarning(lcApp) << "Qt's Turkish catalogue (qtbase_tr.qm) not found: dialog buttons stay in English";
    delete translator;
    return false;
}
