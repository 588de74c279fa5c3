#include "tavrin/dataextensions.h"

#include <platform/core/format.h>

#include <QCryptographicHash>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <zlib.h>

namespace tavrin {

namespace {
    // zlib counts in 32-bit fields; larger buffers are refused rather than cut short.
    constexpr qsizetype kZlibLimit = std::numeric_limits<uInt>::max();

    enum class Direction { Compress, Decompress };

    std::optional<QByteArray> rawDeflate(const QByteArray &input, Direction direction)
    {
        const qsizetype n = input.size();
        if (n == 0 || n > kZlibLimit)
            return std::nullopt;
        z_stream stream {};
        const int init = direction == Direction::Compress
            ? deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY)
            : inflateInit2(&stream, -MAX_WBITS);
        if (init != Z_OK)
            return std::nullopt;
        const qsizetype chunkSize = n < 64 ? 64 : std::min<qsizetype>(n, 65536);
        QByteArray chunk(chunkSize, Qt::Uninitialized);
        QByteArray result;
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(input.constData()));
        stream.avail_in = static_cast<uInt>(n);
        bool ok = false;
        for (;;) {
            stream.next_out = reinterpret_cast<Bytef *>(chunk.data());
            stream.avail_out = static_cast<uInt>(chunkSize);
            const int status
                = direction == Direction::Compress ? deflate(&stream, Z_FINISH) : inflate(&stream, Z_FINISH);
            const qsizetype filled = chunkSize - stream.avail_out;
            if (status == Z_STREAM_END) {
                result.append(chunk.constData(), filled);
                ok = true;
                break;
            }
            // A filled chunk is progress (inflate says Z_BUF_ERROR for it when finishing): keep it and
            // go on. Anything else (damaged data, input that ends before the stream does) is a failure.
            if ((status == Z_OK || status == Z_BUF_ERROR) && stream.avail_out == 0) {
                result.append(chunk.constData(), filled);
                continue;
            }
            break;
        }
        if (direction == Direction::Compress)
            deflateEnd(&stream);
        else
            inflateEnd(&stream);
        if (!ok)
            return std::nullopt;
        return result;
    }
}

QString DataExtensions::md5HexString(const QByteArray &data)
{
    const QByteArray digest = QCryptographicHash::hash(data, QCryptographicHash::Md5);
    QString text;
    text.reserve(32);
    for (char byte : digest)
        text += platform::format("%02hhx", static_cast<unsigned char>(byte));
    return text;
}

QString DataExtensions::base64URLString(const QByteArray &data)
{
    QString text = QString::fromLatin1(data.toBase64());
    text.replace(u'+', u'-');
    text.replace(u'/', u'_');
    text.remove(u'=');
    return text;
}

bool DataExtensions::hasGzipMagic(const QByteArray &data)
{
    return data.size() >= 2 && static_cast<unsigned char>(data[0]) == 0x1f
        && static_cast<unsigned char>(data[1]) == 0x8b;
}

std::optional<QByteArray> DataExtensions::gzipInflated(const QByteArray &data)
{
    const qsizetype n = data.size();
    if (n == 0 || n > kZlibLimit)
        return std::nullopt;
    z_stream stream {};
    // 15 + 32: a 32 KiB window, gzip or zlib header recognised on its own.
    if (inflateInit2(&stream, 15 + 32) != Z_OK)
        return std::nullopt;
    const qsizetype step = n / 2;
    QByteArray output;
    output.reserve(n * 2);
    int status = Z_OK;
    do {
        if (static_cast<qsizetype>(stream.total_out) >= output.size()) {
            if (output.size() + step > kZlibLimit) {
                status = Z_MEM_ERROR;
                break;
            }
            output.append(QByteArray(step, '\0'));
        }
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData())) + stream.total_in;
        stream.avail_in = static_cast<uInt>(n - static_cast<qsizetype>(stream.total_in));
        stream.next_out = reinterpret_cast<Bytef *>(output.data()) + stream.total_out;
        stream.avail_out = static_cast<uInt>(output.size() - static_cast<qsizetype>(stream.total_out));
        status = inflate(&stream, Z_SYNC_FLUSH);
    } while (status == Z_OK);
    const qsizetype produced = static_cast<qsizetype>(stream.total_out);
    if (inflateEnd(&stream) != Z_OK || status != Z_STREAM_END)
        return std::nullopt;
    output.truncate(produced);
    return output;
}

std::optional<QByteArray> DataExtensions::deflateCompressed(const QByteArray &data)
{
    return rawDeflate(data, Direction::Compress);
}

std::optional<QByteArray> DataExtensions::deflateDecompressed(const QByteArray &data)
{
    return rawDeflate(data, Direction::Decompress);
}

std::uint16_t DataExtensions::leading16Bits(const QByteArray &data)
{
    std::uint16_t value = 0;
    for (qsizetype i = 0; i < std::min<qsizetype>(2, data.size()); ++i)
        value |= static_cast<std::uint16_t>(static_cast<unsigned char>(data[i])) << (8 * i);
    return value;
}

std::uint32_t DataExtensions::leading32Bits(const QByteArray &data)
{
    std::uint32_t value = 0;
    for (qsizetype i = 0; i < std::min<qsizetype>(4, data.size()); ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
    return value;
}

float DataExtensions::leadingBigEndianFloat(const QByteArray &data)
{
    if (data.size() < 4)
        return 0.0f;
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits = (bits << 8) | static_cast<unsigned char>(data[i]);
    return std::bit_cast<float>(bits);
}

std::uint8_t DataExtensions::byteAt(const QByteArray &data, qsizetype index)
{
    if (index < 0 || index >= data.size())
        return 0;
    return static_cast<std::uint8_t>(data[index]);
}

std::uint32_t DataExtensions::clampedUInt32(double value)
{
    if (std::isnan(value) || value < 0.0 || value > 4294967295.0)
        return 0;
    return static_cast<std::uint32_t>(value);
}

} // namespace tavrin
