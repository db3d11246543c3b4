// A stand-in for inpoutx64.dll: records the bytes written instead of reaching a port. It sits beside
// the test executable, where the relay looks for the real one.
#include <windows.h>

#include <cstdlib>

namespace {
short g_writes[64][2];
int g_count = 0;
} // namespace

extern "C" __declspec(dllexport) void __stdcall Out32(short address, short value)
{
    if (g_count < 64) {
        g_writes[g_count][0] = address;
        g_writes[g_count][1] = value;
        ++g_count;
    }
}

// The driver of a version that needs an administrator once, not yet installed: said by the test.
extern "C" __declspec(dllexport) BOOL __stdcall IsInpOutDriverOpen()
{
    return std::getenv("VEZOZIL_FAKE_INPOUT_CLOSED") ? FALSE : TRUE;
}

extern "C" __declspec(dllexport) int FakeInpoutWrites(const short (**writes)[2])
{
    *writes = g_writes;
    return g_count;
}
