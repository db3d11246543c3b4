#pragma once

#include "engine/Dialogs.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class QCoreApplication;
class QMessageBox;

// The program's questions and messages as Qt message boxes and file dialogs.
class QtDialogs : public Dialogs
{
public:
    QtDialogs() = default;
    // The boxes of `window`, which comes back to the front when each of them closes.
    explicit QtDialogs(QWidget* window);

    // The window the boxes are centred on and stay in front of; none until it exists.
    void setParentWindow(QWidget* window) { m_parent = window; }

    bool askYesNo(const QString& text) override;
    void tell(const QString& text, const QString& title) override;
    std::optional<QString> chooseFile(const QString& filter) override;
    std::unique_ptr<Dialogs> ownedBy(QObject* window) override;
    std::optional<QString> chooseSaveFile(const QString& filter, const QString& suggestedName) override;
    void chooseRelay(RelaySetup& setup) override;
    bool editCalendarEntry(CalendarEntry& entry, const QStringList& dayTypes) override;
    bool enterSchoolYear(SchoolYearDates& dates) override;
    void editDayTypes(CalendarCommands& commands) override;

    // "Müzik Seçin|*.mp3" as Qt writes it, "Müzik Seçin (*.mp3)"; pairs become entries of their own.
    static QString qtFilter(const QString& filter);

private:
    int run(QMessageBox& box);

    QPointer<QWidget> m_parent;
    bool m_raiseParentAfter = false;
    QString m_lastFolder;
};

// Loads Qt's Turkish catalogue, so the standard buttons read "Evet" and "Hayır". False when the
// catalogue is not installed; the buttons then keep Qt's English texts.
bool installTurkishTranslations(QCoreApplication& app);
