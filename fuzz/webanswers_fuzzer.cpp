#include "fuzzinput.h"

#include "dorsk/serverversion.h"
#include "pirrow/otherapp.h"
#include "platform/core/coding.h"
#include "platform/core/json.h"

// The two answers read from the web, as the helper's update check and the other-apps list read
// them: any body decodes or is refused with a DecodingError.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    platform::Value body;
    try {
        body = platform::json::parse(fuzzBytes(data, size));
    } catch (const platform::DecodingError &) {
        return 0;
    }
    try {
        (void)dorsk::ServerVersion::decode(body);
    } catch (const platform::DecodingError &) {
    }
    try {
        (void)pirrow::OtherApps::decode(body);
    } catch (const platform::DecodingError &) {
    }
    return 0;
}
