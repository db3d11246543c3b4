#include "relay/WindowsRelayPort.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#ifndef LOAD_LIBRARY_SEARCH_APPLICATION_DIR
#define LOAD_LIBRARY_SEARCH_APPLICATION_DIR 0x00000200
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace {
using DriverOpenFunction = BOOL(__stdcall*)();

HMODULE handle(void* library)
{
    return static_cast<HMODULE>(library);
}

template <typename Function> Function resolve(void* library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(handle(library), name)));
}
} // namespace

WindowsRelayPort::~WindowsRelayPort()
{
    // Unloading leaves the port as it is: the relay keeps its last state.
    if (m_library)
        FreeLibrary(handle(m_library));
}

bool WindowsRelayPort::Out32(quint16 address, quint16 value)
{
    if (address == 0) {
        m_status.fail(RelayFailure::NoAddress, address, QStringLiteral("no port address"));
        return false;
    }
    if (!m_out32 && !load(address))
        return false;
    m_out32(static_cast<short>(address), static_cast<short>(value & 0xFF));
    m_status.succeed(address, m_libraryName);
    return true;
}

bool WindowsRelayPort::load(quint16 address)
{
    // Only the program's folder and System32 are searched, so no stray copy elsewhere is picked up.
    const DWORD search = LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32;
#ifdef _WIN64
    const wchar_t* const names[] = {L"inpoutx64.dll", L"inpout32.dll"};
#else
    const wchar_t* const names[] = {L"inpout32.dll"};
#endif
    for (const wchar_t* name : names) {
        m_library = LoadLibraryExW(name, nullptr, search);
        if (m_library) {
            m_libraryName = QString::fromWCharArray(name);
            break;
        }
    }
    if (!m_library) {
        const DWORD error = GetLastError();
        m_status.fail(RelayFailure::Unreachable, address,
                      QStringLiteral("inpout32.dll not found (error %1)").arg(error));
        return false;
    }
    const auto out32 = resolve<Out32Function>(m_library, "Out32");
    // Newer versions say whether their kernel driver could be installed, which needs an administrator once.
    const auto driverOpen = resolve<DriverOpenFunction>(m_library, "IsInpOutDriverOpen");
    const bool permitted = !driverOpen || driverOpen();
    if (!out32 || !permitted) {
        m_status.fail(out32 ? RelayFailure::NotPermitted : RelayFailure::Unreachable, address,
                      out32 ? QStringLiteral("the inpout driver is not open: run once as administrator")
                            : QStringLiteral("%1 has no Out32").arg(m_libraryName));
        FreeLibrary(handle(m_library));
        m_library = nullptr;
        return false;
    }
    m_out32 = out32;
    return true;
}
