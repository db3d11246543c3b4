#include "platform/ProcessStart.h"

QStringList programArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

QStringList splitCommandLine(const QString& line)
{
    return line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

void useExactStandardStreams() {}
