#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class CalendarCommands;
class QObject;
class RelaySetup;
struct CalendarEntry;
struct SchoolYearDates;

// Every question and message the program shows goes through here, so tests answer them without a screen.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // Modal Yes/No box with the title "Vezo Zil UYARI !" and no icon; true for Yes.
    virtual bool askYesNo(const QString& text) = 0;
    // A message with one OK button and the given title (empty: no title of its own).
    virtual void tell(const QString& text, const QString& title) = 0;
    // An open-file dialog; std::nullopt when cancelled. `filter` is in the system's
    // "description|pattern" form, empty for none.
    virtual std::optional<QString> chooseFile(const QString& filter) = 0;
    // A save-file dialog offering `suggestedName`; std::nullopt when cancelled. Where there is no one to
    // ask, nothing is chosen.
    virtual std::optional<QString> chooseSaveFile(const QString& filter, const QString& suggestedName)
    {
        (void)filter, (void)suggestedName;
        return std::nullopt;
    }

    // The questions and messages of another of the program's windows: shown over that window, which
    // stays in front after them. By default they are shown as this object shows its own.
    virtual std::unique_ptr<Dialogs> ownedBy(QObject* window);
    // The "Röle…" dialog on the operator's choice of relay; returns when it is closed. Where there is
    // no one to ask (a rehearsal) nothing is shown.
    virtual void chooseRelay(RelaySetup& setup) { (void)setup; }

    // The calendar's entry dialog on `entry` (a new entry of its kind, or a copy of one to change), with
    // the day types to choose from; true when the operator saves it, `entry` then holding what was typed.
    virtual bool editCalendarEntry(CalendarEntry& entry, const QStringList& dayTypes)
    {
        (void)entry, (void)dayTypes;
        return false;
    }
    // The "Eğitim yılı" dialog on the five ranges of a school year; true when the operator saves them.
    virtual bool enterSchoolYear(SchoolYearDates& dates)
    {
        (void)dates;
        return false;
    }
    // The day types' dialog, which saves through `commands` itself; returns when it is closed.
    virtual void editDayTypes(CalendarCommands& commands) { (void)commands; }
};

// Passes everything to another Dialogs object; the default for the boxes of another window.
class ForwardingDialogs : public Dialogs
{
public:
    explicit ForwardingDialogs(Dialogs& target) : m_target(target) {}
    bool askYesNo(const QString& text) override { return m_target.askYesNo(text); }
    void tell(const QString& text, const QString& title) override { m_target.tell(text, title); }
    std::optional<QString> chooseFile(const QString& filter) override { return m_target.chooseFile(filter); }
    std::optional<QString> chooseSaveFile(const QString& filter, const QString& suggestedName) override
    {
        return m_target.chooseSaveFile(filter, suggestedName);
    }
    void chooseRelay(RelaySetup& setup) override { m_target.chooseRelay(setup); }
    bool editCalendarEntry(CalendarEntry& entry, const QStringList& dayTypes) override
    {
        return m_target.editCalendarEntry(entry, dayTypes);
    }
    bool enterSchoolYear(SchoolYearDates& dates) override { return m_target.enterSchoolYear(dates); }
    void editDayTypes(CalendarCommands& commands) override { m_target.editDayTypes(commands); }

private:
    Dialogs& m_target;
};

inline std::unique_ptr<Dialogs> Dialogs::ownedBy(QObject*)
{
    return std::make_unique<ForwardingDialogs>(*this);
}
