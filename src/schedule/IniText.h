#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// The values of a file in QSettings' INI format, parsed from bytes already read, so that the file is
// opened once, by the same regular-file-only open as every other stored file. It reads what QSettings
// writes (values quoted or not, with its escapes; lists; "@@" for a leading '@') and what a hand edit
// adds (blanks around '=', comment lines, CR LF line ends). Keys are "Section/Key" as QSettings names
// them; keys of [General] have no section.
class IniText
{
public:
    explicit IniText(const QByteArray& bytes);

    bool contains(const QString& key) const { return m_values.contains(key); }
    // The value as QSettings::value(key).toString() gives it; a list of several values gives "".
    QString value(const QString& key) const { return m_values.value(key); }

private:
    void readLine(const QByteArray& line, QString& section);

    QHash<QString, QString> m_values;
};
