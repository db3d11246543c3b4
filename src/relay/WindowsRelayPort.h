#pragma once

#include "relay/RelayPort.h"
#include "relay/RelayPortStatus.h"

// Drives the relay through inpout32.dll (inpoutx64.dll in a 64-bit build), loaded at the first
// write from the program's folder or System32. A missing library is looked for again at later writes.
class WindowsRelayPort : public RelayPort
{
public:
    WindowsRelayPort() = default;
    ~WindowsRelayPort() override;
    WindowsRelayPort(const WindowsRelayPort&) = delete;
    WindowsRelayPort& operator=(const WindowsRelayPort&) = delete;

    bool Out32(quint16 address, quint16 value) override;
    QString problem() const override { return m_status.problem(); }

private:
    using Out32Function = void(__stdcall*)(short, short);

    bool load(quint16 address);

    void* m_library = nullptr; // HMODULE, kept out of this header with the rest of <windows.h>
    Out32Function m_out32 = nullptr;
    QString m_libraryName;
    RelayPortStatus m_status;
};
