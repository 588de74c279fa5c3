#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstring>
#include <optional>
#include <type_traits>

namespace tavrin {

/// Digests, codecs and fixed-width reads of byte buffers. Every operation leaves its input alone and
/// reports failure by an empty result.
class DataExtensions {
public:
    /// The MD5 digest (RFC 1321) as 32 lowercase hexadecimal digits; the empty buffer has one too.
    static QString md5HexString(const QByteArray &data);
    /// Base64 with the URL-and-filename-safe alphabet ("-", "_") and no "=" padding.
    static QString base64URLString(const QByteArray &data);
    /// Begins with the gzip bytes 0x1f 0x8b.
    static bool hasGzipMagic(const QByteArray &data);
    /// The first member of a gzip or zlib stream, inflated; empty on empty, damaged or truncated input.
    static std::optional<QByteArray> gzipInflated(const QByteArray &data);
    /// Raw DEFLATE data (RFC 1951: no header, no checksum); empty for an empty input.
    static std::optional<QByteArray> deflateCompressed(const QByteArray &data);
    /// The inflated form of raw DEFLATE data; empty for an empty, damaged or truncated input.
    static std::optional<QByteArray> deflateDecompressed(const QByteArray &data);

    /// The in-memory bytes of a value, host order.
    template <typename T> static QByteArray dataFromRawBytes(const T &value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        return QByteArray(reinterpret_cast<const char *>(&value), sizeof(T));
    }
    /// The first sizeof(T) bytes as a T, host order; empty when the buffer is shorter.
    template <typename T> static std::optional<T> leadingValue(const QByteArray &data)
    {
        static_assert(std::is_arithmetic_v<T>);
        if (data.size() < static_cast<qsizetype>(sizeof(T)))
            return std::nullopt;
        T value = 0;
        std::memcpy(&value, data.constData(), sizeof(T));
        return value;
    }
    /// The first two bytes, little-endian; the bytes there are, zero-filled, when fewer.
    static std::uint16_t leading16Bits(const QByteArray &data);
    /// The first four bytes, little-endian; the bytes there are, zero-filled, when fewer.
    static std::uint32_t leading32Bits(const QByteArray &data);
    /// The first four bytes as a big-endian IEEE 754 single; 0 when fewer than four.
    static float leadingBigEndianFloat(const QByteArray &data);
    /// The byte at `index`; 0 outside the buffer.
    static std::uint8_t byteAt(const QByteArray &data, qsizetype index);
    /// The integer part of a number from 0 to 4294967295; 0 for anything else (NaN included).
    static std::uint32_t clampedUInt32(double value);

    DataExtensions() = delete;
};

} // namespace tavrin
