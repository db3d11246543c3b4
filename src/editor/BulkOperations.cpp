#include "editor/BulkOperations.h"

#include "schedule/DayFile.h"
#include "schedule/DayTable.h"

namespace BulkOperations {

const std::array<Operation, 7>& all()
{
    static const std::array<Operation, 7> operations{{
        {2, QStringLiteral("Hafta içine aynı saatleri ata"),
         QStringLiteral("Ekranda gördüğünüz saatleri hafta içi hergüne atamak istediğinizden emin misiniz ?"),
         Group::Weekdays, Action::Write, false},
        {3, QStringLiteral("Hafta sonuna aynı saatleri ata"),
         QStringLiteral("Ekranda görünen saatleri tüm hafta sonuna atamak istediğinizden emin misiniz ?"),
         Group::Weekend, Action::Write, false},
        {4, QStringLiteral("Bütün günlere aynı saatleri ata"),
         QStringLiteral("Ekranda görünen saatleri, bütün günlere atamak istediğinizden emin misiniz ?"),
         Group::AllDays, Action::Write, false},
        {5, QStringLiteral("Seçili günü temizle"),
         QStringLiteral("Seçili güne ait saatleri, silmek istediğinizden emin misiniz ?"), Group::Selected,
         Action::Clear, true},
        {6, QStringLiteral("Tüm günleri temizle"),
         QStringLiteral("Bütün günlerin saatlerini silmek istediğinizden emin misiniz ?"), Group::AllDays,
         Action::Clear, true},
        {7, QStringLiteral("Hafta içini temizle"),
         QStringLiteral("Hafta içine ait tüm saatleri silmek istediğinizden emin misiniz ?"), Group::Weekdays,
         Action::Clear, false},
        {8, QStringLiteral("Hafta sonunu temizle"),
         QStringLiteral("Hafta sonuna ait saatleri silmek istediğinizden emin misiniz ?"), Group::Weekend,
         Action::Clear, false},
    }};
    return operations;
}

const Operation& byCommand(int command)
{
    for (const Operation& operation : all()) {
        if (operation.command == command)
            return operation;
    }
    Q_UNREACHABLE();
}

QStringList daysOf(Group group, const QString& selectedDay)
{
    switch (group) {
    case Group::Selected:
        return selectedDay.isEmpty() ? QStringList() : QStringList{selectedDay};
    case Group::Weekdays:
        return DayTable::weekdays();
    case Group::Weekend:
        return DayTable::weekend();
    case Group::AllDays:
        return DayTable::names();
    }
    return {};
}

QStringList apply(Action action, const QStringList& days, const ProgramFolder& folder,
                  const DaySchedule& times)
{
    QStringList failed;
    for (const QString& day : days) {
        const bool written =
            action == Action::Write ? writeDayFile(folder, day, times) : clearDayFile(folder, day);
        if (!written)
            failed << day;
    }
    return failed;
}

QString failureMessage(Action action, const QStringList& days)
{
    const bool one = days.size() == 1;
    const QString subject = one ? QStringLiteral("Şu günün") : QStringLiteral("Şu günlerin");
    const QString verb =
        action == Action::Write ? QStringLiteral("kaydedilemedi") : QStringLiteral("silinemedi");
    return QStringLiteral("%1 saatleri %2: %3. Program klasörü yazmaya kapalı ya da disk dolu olabilir.")
        .arg(subject, verb, days.join(QStringLiteral(", ")));
}

} // namespace BulkOperations
