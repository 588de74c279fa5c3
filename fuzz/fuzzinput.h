#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// The fuzzer's bytes, without copying them.
inline QByteArray fuzzBytes(const std::uint8_t *data, std::size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}
