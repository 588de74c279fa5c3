#include "fuzzinput.h"

#include "../platform/core/src/stringsfile_p.h"

// Any bytes of a .strings file give a table (malformed entries skipped); the sanitizers judge the rest.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    (void)platform::parseStringsFile(fuzzBytes(data, size));
    return 0;
}
