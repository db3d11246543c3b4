#include "app/LogDialogs.h"

#include "common/Log.h"

bool LogDialogs::askYesNo(const QString& text)
{
    qCInfo(lcApp).noquote() << "no window to ask in; answered No:" << text;
    return false;
}

void LogDialogs::tell(const QString& text, const QString& title)
{
    Q_UNUSED(title);
    qCWarning(lcApp).noquote() << text;
}

std::optional<QString> LogDialogs::chooseFile(const QString& filter)
{
    Q_UNUSED(filter);
    return std::nullopt;
}
