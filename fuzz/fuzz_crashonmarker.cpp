// Crashes on one input only, so that fuzz/selftest can show a finding makes fuzz/run fail.
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const char marker[] = "CRASH HERE";
    if (size >= sizeof marker - 1 && std::memcmp(data, marker, sizeof marker - 1) == 0)
        std::abort();
    return 0;
}
