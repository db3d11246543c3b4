#include "platform/ProcessStart.h"

#include <qt_windows.h>
#include <shellapi.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

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

void useExactStandardStreams()
{
    // A window program started without a console has no standard streams at all.
    for (std::FILE* stream : {stdout, stderr}) {
        if (_fileno(stream) >= 0)
            _setmode(_fileno(stream), _O_BINARY);
    }
}
