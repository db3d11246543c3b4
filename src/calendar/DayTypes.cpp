#include "calendar/DayTypes.h"

#include "common/Log.h"
#include "schedule/DayFile.h"
#include "schedule/TextFile.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace {
const QString Forbidden = QStringLiteral("/\\:*?\"<>|");

bool isDeviceName(const QString& name)
{
    // Windows opens a device, not a file, for these names with any extension.
    static const QStringList devices{QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                     QStringLiteral("NUL")};
    const QString base = name.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    if (devices.contains(base))
        return true;
    return base.size() == 4 &&
           (base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT"))) &&
           base.at(3) >= QLatin1Char('1') && base.at(3) <= QLatin1Char('9');
}
} // namespace

namespace DayTypes {

QString nameProblem(const QString& name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("Gün türünün adı boş olamaz.");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("Gün türünün adı \"%1\" olamaz.").arg(name);
    for (const QChar c : name) {
        if (Forbidden.contains(c) || c.category() == QChar::Other_Control)
            return QStringLiteral("Gün türünün adında şu işaretler olamaz: / \\ : * ? \" < > |");
    }
    if (name.back().isSpace() || name.front().isSpace() || name.back() == QLatin1Char('.'))
        return QStringLiteral("Gün türünün adı boşlukla başlayamaz, boşluk ya da noktayla bitemez.");
    if (isDeviceName(name))
        return QStringLiteral("Gün türünün adı \"%1\" olamaz: Windows bu adı bir aygıta ayırır.").arg(name);
    if (name.size() > 100)
        return QStringLiteral("Gün türünün adı en çok 100 harf olabilir.");
    return QString();
}

QStringList names(const ProgramFolder& folder)
{
    const QDir dir(folder.path(QStringLiteral("saatler/ozel")));
    QStringList found;
    for (const QFileInfo& f :
         dir.entryInfoList({QStringLiteral("*.txt"), QStringLiteral("*.TXT")}, QDir::Files)) {
        const QString name = f.completeBaseName();
        if (nameProblem(name).isEmpty() && !found.contains(name, Qt::CaseInsensitive))
            found << name;
    }
    QCollator turkish{QLocale(QLocale::Turkish, QLocale::Turkey)};
    std::sort(found.begin(), found.end(),
              [&turkish](const QString& a, const QString& b) { return turkish.compare(a, b) < 0; });
    return found;
}

bool exists(const ProgramFolder& folder, const QString& name)
{
    return nameProblem(name).isEmpty() && TextFile::isRegularFile(dayTypeFilePath(folder, name));
}

bool save(const ProgramFolder& folder, const QString& name, const DaySchedule& slots)
{
    if (!nameProblem(name).isEmpty())
        return false;
    return writeDayTypeFile(folder, name, slots);
}

bool remove(const ProgramFolder& folder, const QString& name)
{
    if (!nameProblem(name).isEmpty())
        return false;
    const QString path = dayTypeFilePath(folder, name);
    if (!QFileInfo::exists(path))
        return true;
    if (!QFile::remove(path)) {
        qCWarning(lcFiles) << "cannot remove the day type" << path;
        return false;
    }
    qCInfo(lcFiles) << "day type removed:" << name;
    return true;
}

} // namespace DayTypes
