#include "app/QtDialogs.h"

#include "app/RelayDialog.h"
#include "common/Log.h"
#include "engine/Texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

bool QtDialogs::askYesNo(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, Texts::WarningTitle, text, QMessageBox::Yes | QMessageBox::No,
                    m_parent);
    // Messages may quote paths and names: shown as written, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtDialogs::tell(const QString& text, const QString& title)
{
    const QString caption = title.isEmpty() ? QGuiApplication::applicationDisplayName() : title;
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
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

void QtDialogs::chooseRelay(RelaySetup& setup)
{
    RelayDialog dialog(setup, m_parent);
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
