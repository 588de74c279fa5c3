#include "fuzzinput.h"

#include "../platform/core/src/stringsfile_p.h"

#include <cstdlib>

// Any bytes of a .strings file give a table; every key and value it gives must be a whole text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto table = platform::parseStringsFile(fuzzBytes(data, size));
    for (const auto &[key, value] : table) {
        if (key.isNull() || value.isNull())
            std::abort();
    }
    return 0;
}
