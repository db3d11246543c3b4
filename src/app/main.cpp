#include "app/CommandLine.h"
#include "app/DesktopRun.h"
#include "app/HeadlessRun.h"
#include "platform/ProcessStart.h"
#include "sim/SimulateCommand.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {
// A rehearsal of a day opens no window and touches no device.
int rehearse(int& argc, char** argv, const SimulateArguments& arguments)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    return runSimulation(arguments, out);
}
} // namespace

int main(int argc, char** argv)
{
    useExactStandardStreams();
    const CommandLine line = CommandLine::parse(argc, argv);
    switch (line.action) {
    case CommandLine::Action::Help:
        return printHelp();
    case CommandLine::Action::Version:
        return printVersion();
    case CommandLine::Action::Refuse:
        return refuseCommandLine(line.error);
    case CommandLine::Action::Simulate:
        return rehearse(argc, argv, *line.simulate);
    case CommandLine::Action::Run:
        break;
    }
    return line.headless ? runHeadless(argc, argv) : runDesktop(argc, argv);
}
