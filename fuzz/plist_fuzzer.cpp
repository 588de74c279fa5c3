#include "platform/core/coding.h"
#include "platform/core/plist.h"

#include <cstdint>
#include <cstdlib>

using platform::Value;
namespace plist = platform::plist;

// Any bytes give a value or a DecodingError. A value that was read must also be writable in both
// formats, and what we write must read back.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    Value value;
    try {
        value = plist::parse(bytes);
    } catch (const platform::DecodingError &) {
        return 0;
    }
    for (auto format : { plist::Format::Binary, plist::Format::Xml }) {
        try {
            (void)plist::parse(plist::serialize(value, format));
        } catch (const platform::DecodingError &) {
            std::abort(); // we wrote something we cannot read
        }
    }
    return 0;
}
