#include "platform/WindowsProcessControl.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <qt_windows.h>
#include <shellapi.h>

bool WindowsProcessControl::startDetached(const QString& program, const QStringList& arguments,
                                          const QString& workingDirectory)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingDirectory);
    // taskkill and shutdown are console tools: started without a console, no black window flashes up
    // on the school's screen.
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* args) {
        args->flags = (args->flags & ~DWORD(CREATE_NEW_CONSOLE)) | CREATE_NO_WINDOW;
    });
    return process.startDetached();
}

bool WindowsProcessControl::shellOpen(const QString& target)
{
    const std::wstring file = QDir::toNativeSeparators(target).toStdWString();
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32; // ShellExecute reports success by a value above 32
}

qint64 WindowsProcessControl::ownPid()
{
    return QCoreApplication::applicationPid();
}

QString WindowsProcessControl::systemDirectory()
{
    wchar_t folder[MAX_PATH] = {};
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        return QString::fromWCharArray(folder, int(n));
    const QString root = qEnvironmentVariable("SystemRoot");
    return root.isEmpty() ? QString() : root + QStringLiteral("\\System32");
}
