// A stand-in for inpoutx64.dll beside the test executable, where the relay looks for the real one: it
// records the bytes instead of reaching a port.
#include <windows.h>

#include <cstdlib>

static short g_writes[64][2];
static int g_count = 0;

extern "C" __declspec(dllexport) void __stdcall Out32(short address, short value)
{
    if (g_count < 64)
        g_writes[g_count][0] = address, g_writes[g_count++][1] = value;
}

// A version whose driver needs an administrator once, not yet installed, when the test says so.
extern "C" __declspec(dllexport) BOOL __stdcall IsInpOutDriverOpen()
{
    return std::getenv("VEZOZIL_FAKE_INPOUT_CLOSED") ? FALSE : TRUE;
}

extern "C" __declspec(dllexport) int FakeInpoutWrites(const short (**writes)[2])
{
    *writes = g_writes;
    return g_count;
}
