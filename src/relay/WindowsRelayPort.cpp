#include "relay/WindowsRelayPort.h"

#ifdef Q_OS_WIN

namespace {
template <typename Function> Function resolve(HMODULE library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}
} // namespace

WindowsRelayPort::~WindowsRelayPort()
{
    // Unloading leaves the port as it is: the relay keeps its last state.
    if (m_library)
        FreeLibrary(m_library);
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
        m_status.fail(RelayFailure::Unreachable, address,
                      QStringLiteral("inpout32.dll not found (error %1)").arg(GetLastError()));
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
        FreeLibrary(m_library);
        m_library = nullptr;
        return false;
    }
    m_out32 = out32;
    return true;
}

#endif
