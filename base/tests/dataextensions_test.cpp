#include "tavrin/dataextensions.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <zlib.h>

using tavrin::DataExtensions;

namespace {
// Compressed forms made by zlib itself: windowBits 15 + 16 writes gzip, 15 zlib, -15 raw DEFLATE.
QByteArray compressed(const QByteArray &input, int windowBits)
{
    z_stream s {};
    if (deflateInit2(&s, Z_BEST_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    QByteArray out(static_cast<qsizetype>(deflateBound(&s, input.size())), '\0');
    s.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(input.constData()));
    s.avail_in = static_cast<uInt>(input.size());
    s.next_out = reinterpret_cast<Bytef *>(out.data());
    s.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&s, Z_FINISH);
    out.truncate(static_cast<qsizetype>(s.total_out));
    deflateEnd(&s);
    return status == Z_STREAM_END ? out : QByteArray();
}

QByteArray pseudoRandom(qsizetype size)
{
    QByteArray out(size, '\0');
    quint32 x = 12345;
    for (auto &c : out) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 16);
    }
    return out;
}

QByteArray text(qsizetype size)
{
    QByteArray out;
    while (out.size() < size)
        out += "The quick brown fox jumps over the lazy dog. ";
    out.truncate(size);
    return out;
}
}

class DataExtensionsTest : public QObject {
    Q_OBJECT
private slots:
    void md5_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("digest");
        QTest::newRow("empty buffer has a digest") << QByteArray() << "d41d8cd98f00b204e9800998ecf8427e";
        QTest::newRow("abc") << QByteArray("abc") << "900150983cd24fb0d6963f7d28e17f72";
        QTest::newRow("bytes above 0x7f") << QByteArray("\xff\x00\x80", 3) << "60cdccd4000580a3c394b8ad6ea9b899";
    }
    void md5()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, digest);
        QCOMPARE(DataExtensions::md5HexString(input), digest);
    }

    void base64Url_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("plus, slash and padding replaced") << QByteArray("\xfb\xff", 2) << "-_8";
        QTest::newRow("two padding characters go") << QByteArray("a") << "YQ";
        QTest::newRow("no padding needed") << QByteArray("abc") << "YWJj";
    }
    void base64Url()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, expected);
        QCOMPARE(DataExtensions::base64URLString(input), expected);
    }

    void gzipMagic_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<bool>("expected");
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("one byte") << QByteArray("\x1f") << false;
        QTest::newRow("magic") << QByteArray("\x1f\x8b") << true;
        QTest::newRow("swapped") << QByteArray("\x8b\x1f") << false;
        QTest::newRow("real gzip") << compressed("hello", 31) << true;
        QTest::newRow("zlib") << compressed("hello", 15) << false;
    }
    void gzipMagic()
    {
        QFETCH(QByteArray, input);
        QFETCH(bool, expected);
        QCOMPARE(DataExtensions::hasGzipMagic(input), expected);
    }

    void gzipInflated_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("content"); // empty: no result
        QTest::addColumn<bool>("present");
        const QByteArray big = text(300'000); // grows the output many times over
        const QByteArray gz = compressed(big, 31);
        QTest::newRow("gzip, output far larger than input") << gz << big << true;
        QTest::newRow("zlib stream") << compressed("hello zlib", 15) << QByteArray("hello zlib") << true;
        QTest::newRow("incompressible data") << compressed(pseudoRandom(5000), 31) << pseudoRandom(5000) << true;
        QTest::newRow("first of two members")
            << compressed("first", 31) + compressed("second", 31) << QByteArray("first") << true;
        QTest::newRow("empty") << QByteArray() << QByteArray() << false;
        QTest::newRow("one byte") << QByteArray("\x1f") << QByteArray() << false;
        QTest::newRow("truncated") << gz.left(gz.size() / 2) << QByteArray() << false;
        QByteArray damaged = compressed(text(2000), 31);
        damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x55);
        QTest::newRow("damaged") << damaged << QByteArray() << false;
        QTest::newRow("raw deflate has no header") << compressed("hello", -15) << QByteArray() << false;
        QTest::newRow("not compressed") << QByteArray("plain text, not a stream") << QByteArray() << false;
    }
    void gzipInflated()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, content);
        QFETCH(bool, present);
        const auto result = DataExtensions::gzipInflated(input);
        QCOMPARE(result.has_value(), present);
        if (present)
            QCOMPARE(*result, content);
    }

    void deflateRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::newRow("one byte (chunk of 64)") << QByteArray("x");
        QTest::newRow("below 64") << QByteArray("short text");
        QTest::newRow("incompressible, several chunks") << pseudoRandom(200'000);
        QTest::newRow("compressible, output of several chunks") << text(500'000);
    }
    void deflateRoundTrip()
    {
        QFETCH(QByteArray, input);
        const auto packed = DataExtensions::deflateCompressed(input);
        QVERIFY(packed);
        // Our output is raw DEFLATE that zlib itself reads, and zlib's raw DEFLATE is ours to read.
        const auto unpacked = DataExtensions::deflateDecompressed(*packed);
        QVERIFY(unpacked);
        QCOMPARE(*unpacked, input);
        const auto theirs = DataExtensions::deflateDecompressed(compressed(input, -15));
        QVERIFY(theirs);
        QCOMPARE(*theirs, input);
    }

    void deflateFailures()
    {
        QVERIFY(!DataExtensions::deflateCompressed({}));
        QVERIFY(!DataExtensions::deflateDecompressed({}));
        const QByteArray packed = compressed(text(100'000), -15);
        QVERIFY(!DataExtensions::deflateDecompressed(packed.left(packed.size() - 10)));
        QVERIFY(!DataExtensions::deflateDecompressed(QByteArray("\xff\xff\xff\xff", 4)));
    }

    void fixedWidthReads()
    {
        const QByteArray bytes("\x01\x02\x03\x04\x05", 5);
        QCOMPARE(DataExtensions::leading16Bits(bytes), std::uint16_t(0x0201));
        QCOMPARE(DataExtensions::leading32Bits(bytes), std::uint32_t(0x04030201));
        QCOMPARE(DataExtensions::leading16Bits({}), std::uint16_t(0));
        QCOMPARE(DataExtensions::leading32Bits({}), std::uint32_t(0));
        QCOMPARE(DataExtensions::leading32Bits(QByteArray("\x01\x02", 2)), std::uint32_t(0x0201));
        QCOMPARE(DataExtensions::leadingBigEndianFloat(QByteArray("\x3f\xc0\x00\x00", 4)), 1.5f);
        QCOMPARE(DataExtensions::leadingBigEndianFloat({}), 0.0f);
        QCOMPARE(DataExtensions::byteAt(bytes, 4), std::uint8_t(5));
        QCOMPARE(DataExtensions::byteAt(bytes, 5), std::uint8_t(0));
        QCOMPARE(DataExtensions::leadingValue<std::uint32_t>(bytes), std::optional<std::uint32_t>(0x04030201));
        QVERIFY(!DataExtensions::leadingValue<std::uint64_t>(bytes));
        const QByteArray raw = DataExtensions::dataFromRawBytes(std::int16_t(-2));
        QCOMPARE(raw, QByteArray("\xfe\xff", 2));
        QCOMPARE(
            DataExtensions::leadingValue<double>(DataExtensions::dataFromRawBytes(2.25)), std::optional<double>(2.25));
    }

    void clampedUInt32_data()
    {
        QTest::addColumn<double>("input");
        QTest::addColumn<quint32>("expected");
        QTest::newRow("largest") << 4294967295.0 << 4294967295u;
        QTest::newRow("just above") << 4294967295.5 << 0u;
        QTest::newRow("truncated") << 3.99 << 3u;
        QTest::newRow("negative fraction") << -0.5 << 0u;
        QTest::newRow("nan") << std::nan("") << 0u;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << 0u;
    }
    void clampedUInt32()
    {
        QFETCH(double, input);
        QFETCH(quint32, expected);
        QCOMPARE(DataExtensions::clampedUInt32(input), expected);
    }
};

QTEST_APPLESS_MAIN(DataExtensionsTest)
#include "dataextensions_test.moc"
