#include "platform/core/coding.h"
#include "platform/core/json.h"

#include <cstdint>
#include <cstdlib>

using platform::Value;
namespace json = platform::json;

// Any bytes give a value or a DecodingError, and what we write back must read again to the same value.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    Value value;
    try {
        value = json::parse(bytes);
    } catch (const platform::DecodingError &) {
        return 0;
    }
    try {
        if (json::parse(json::serialize(value)) != value)
            std::abort();
    } catch (const platform::DecodingError &) {
        std::abort();
    }
    return 0;
}
