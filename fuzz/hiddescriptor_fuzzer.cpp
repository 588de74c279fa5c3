#include "fuzzinput.h"

#include "../platform/registry/src/hiddevice_p.h"

// Any report descriptor gives a usage or nothing and its collections, and a category follows from any of them.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray descriptor = fuzzBytes(data, size);
    if (const auto usage = platform::HidDevice::primaryUsage(descriptor))
        (void)platform::HidDevice::accessoryCategory(*usage);
    (void)platform::HidDevice::audioCategory(platform::HidDevice::collections(descriptor));
    return 0;
}
