#pragma once

#include <QString>

#include <memory>
#include <optional>

class QObject;

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

    // The questions and messages of another of the program's windows: shown over that window, which
    // stays in front after them. By default they are shown as this object shows its own.
    virtual std::unique_ptr<Dialogs> ownedBy(QObject* window);
};

// Passes everything to another Dialogs object; the default for the boxes of another window.
class ForwardingDialogs : public Dialogs
{
public:
    explicit ForwardingDialogs(Dialogs& target) : m_target(target) {}
    bool askYesNo(const QString& text) override { return m_target.askYesNo(text); }
    void tell(const QString& text, const QString& title) override { m_target.tell(text, title); }
    std::optional<QString> chooseFile(const QString& filter) override { return m_target.chooseFile(filter); }

private:
    Dialogs& m_target;
};

inline std::unique_ptr<Dialogs> Dialogs::ownedBy(QObject*)
{
    return std::make_unique<ForwardingDialogs>(*this);
}
