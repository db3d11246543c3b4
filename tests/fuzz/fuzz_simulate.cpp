// The "--simulate" command line on any arguments, one per line of the input: it is either refused
// with a reason or gives an existing folder and two valid times in order, each as written.
#include "fuzz/FuzzFolder.h"
#include "sim/SimulateCommand.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString TimeFormat = QStringLiteral("yyyy-MM-dd'T'HH:mm:ss");

// Arguments as the program receives them: the input split at line ends, bytes read as UTF-8.
// "@" stands for an existing folder, so inputs reach past the folder test.
QStringList argumentsOf(const uint8_t* data, size_t size)
{
    QStringList arguments;
    for (const QByteArray& a : FuzzFolder::bytesOf(data, size).split('\n'))
        arguments << QString::fromUtf8(a).replace(QLatin1Char('@'), FuzzFolder::instance().folder().root());
    return arguments;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList arguments = argumentsOf(data, size);
    const SimulateCommandLine line = parseSimulateArguments(arguments);
    if (!line.arguments) {
        fuzzCheck(!line.error.isEmpty(), "refused without a reason");
        return 0;
    }
    const SimulateArguments& a = *line.arguments;
    fuzzCheck(line.error.isEmpty(), "accepted with an error", line.error);
    fuzzCheck(QDir::isAbsolutePath(a.dir) && QFileInfo(a.dir).isDir(), "not a folder", a.dir);
    fuzzCheck(a.from.isValid() && a.until.isValid() && a.from <= a.until, "times invalid or out of order");
    for (const QDateTime& t : {a.from, a.until}) {
        const QString written = t.toString(TimeFormat);
        fuzzCheck(arguments.contains(written), "a time not as written", written);
        fuzzCheck(parseSimulateTime(written) == t, "a time does not read back", written);
    }
    return 0;
}
