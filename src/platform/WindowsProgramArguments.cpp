#include "platform/ProgramArguments.h"

#include <qt_windows.h>
#include <shellapi.h>

namespace {
QStringList split(const wchar_t* line)
{
    QStringList words;
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(line, &count)) {
        for (int i = 0; i < count; ++i)
            words << QString::fromWCharArray(wide[i]);
        LocalFree(wide);
    }
    return words;
}
} // namespace

QStringList programArguments(int, char**)
{
    return split(GetCommandLineW()).mid(1);
}

QStringList splitCommandLine(const QString& line)
{
    return split(line.toStdWString().c_str());
}
