#include "fuzzinput.h"

#include "../platform/registry/src/hiddevice_p.h"

// Any report descriptor gives a usage or nothing, and the category follows from any usage.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (const auto usage = platform::HidDevice::primaryUsage(fuzzBytes(data, size)))
        (void)platform::HidDevice::accessoryCategory(*usage);
    return 0;
}
