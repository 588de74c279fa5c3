#include "platform/core/coding.h"
#include "platform/core/json.h"
#include "platform/core/plist.h"

#include "testsupport.h"

#include <QTest>

#include <clocale>

using platform::Value;
namespace plist = platform::plist;
namespace json = platform::json;

namespace {
// A binary property list {key: 5} whose key object is given as raw bytes.
QByteArray binaryDictionary(const QByteArray &keyObject)
{
    QByteArray b("bplist00");
    b += QByteArray("\xd1\x01\x02", 3); // dictionary: one key (object 1), one value (object 2)
    const char keyOffset = char(b.size());
    b += keyObject;
    const char valueOffset = char(b.size());
    b += QByteArray("\x10\x05", 2); // integer 5
    const char tableOffset = char(b.size());
    b += QByteArray("\x08", 1);
    b += keyOffset;
    b += valueOffset;
    b += QByteArray(6, '\0') + QByteArray("\x01\x01", 2); // offset and reference sizes
    b += QByteArray(7, '\0') + QByteArray("\x03", 1); // three objects
    b += QByteArray(8, '\0'); // the top object is object 0
    b += QByteArray(7, '\0') + QByteArray(1, tableOffset);
    return b;
}

// A binary property list of the given objects (object 0 at the top), each already encoded with
// references `refSize` bytes wide.
QByteArray binaryPlist(const QList<QByteArray> &objects, int refSize)
{
    QByteArray b("bplist00");
    QList<quint32> offsets;
    for (const QByteArray &object : objects) {
        offsets << quint32(b.size());
        b += object;
    }
    const quint32 tableOffset = quint32(b.size());
    for (const quint32 offset : offsets) {
        for (int shift = 24; shift >= 0; shift -= 8)
            b += char((offset >> shift) & 0xff);
    }
    b += QByteArray(6, '\0') + char(4) + char(refSize);
    for (const quint64 field : { quint64(objects.size()), quint64(0), quint64(tableOffset) }) {
        for (int shift = 56; shift >= 0; shift -= 8)
            b += char((field >> shift) & 0xff);
    }
    return b;
}

QByteArray arrayObject(const QList<int> &refs, int refSize)
{
    QByteArray a;
    if (refs.size() < 15) {
        a += char(0xa0 | refs.size());
    } else {
        a += char(0xaf);
        a += char(0x11); // a two-byte count follows
        a += char(refs.size() >> 8);
        a += char(refs.size() & 0xff);
    }
    for (const int ref : refs) {
        for (int shift = 8 * (refSize - 1); shift >= 0; shift -= 8)
            a += char((ref >> shift) & 0xff);
    }
    return a;
}

// `levels` arrays, each holding the next one twice, down to the integer 7: every level doubles what
// the file unfolds to while adding three bytes.
QByteArray sharedLevels(int levels)
{
    QList<QByteArray> objects;
    for (int i = 0; i < levels; ++i)
        objects << arrayObject({ i + 1, i + 1 }, 1);
    objects << QByteArray("\x10\x07", 2);
    return binaryPlist(objects, 1);
}

// `levels` distinct arrays, each holding the next one alone, down to the integer 7.
QByteArray nestedLevels(int levels)
{
    QList<QByteArray> objects;
    for (int i = 0; i < levels; ++i)
        objects << arrayObject({ i + 1 }, 2);
    objects << QByteArray("\x10\x07", 2);
    return binaryPlist(objects, 2);
}

Value everyType()
{
    Value::Dictionary d;
    d["bool"] = Value(true);
    d["int"] = Value(-42);
    d["big"] = Value(9007199254740993LL);
    d["real"] = Value(2.5);
    d["string"] = Value(QStringLiteral("Grüße"));
    d["data"] = Value(QByteArray("\x00\x01\xff", 3));
    // XML property lists keep whole seconds only.
    d["date"] = Value(QDateTime::fromMSecsSinceEpoch(1700000000000, Qt::UTC));
    d["array"] = Value(Value::Array { Value(1), Value("two"), Value() });
    Value::Dictionary inner;
    inner["absent"] = Value();
    d["dict"] = Value(inner);
    return Value(d);
}
}

class PlistTest : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("binary") << int(plist::Format::Binary);
        QTest::newRow("xml") << int(plist::Format::Xml);
    }

    void roundTrip()
    {
        QFETCH(int, format);
        const Value v = everyType();
        const QByteArray bytes = plist::serialize(v, plist::Format(format));
        QCOMPARE(plist::parse(bytes), v);
    }

    void binaryKeysInUtf16()
    {
        // The same file with a clean key reads, so the rows below fail for the NUL alone.
        const Value v = plist::parse(binaryDictionary(QByteArray("\x62\x00\xe9\x00\x61", 5)));
        QCOMPARE(v, Value(Value::Dictionary { { QStringLiteral("éa"), Value(5) } }));
    }

    void nullIsSpelledAsMarker()
    {
        const QByteArray xml = plist::serialize(Value(Value::Array { Value() }), plist::Format::Xml);
        QVERIFY(xml.contains("<string>$null</string>"));
    }

    void badBytesThrow_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray bin = plist::serialize(everyType());
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("garbage") << QByteArray("not a plist at all");
        QTest::newRow("truncated binary") << bin.left(bin.size() / 2);
        QTest::newRow("binary header only") << QByteArray("bplist00");
        QTest::newRow("unclosed xml") << QByteArray("<?xml version=\"1.0\"?><plist><dict><key>a</key>");
        QTest::newRow("utf-16 key with a NUL") << binaryDictionary(QByteArray("\x62\x00\x61\x00\x00", 5));
        QTest::newRow("long utf-16 key with a NUL")
            << binaryDictionary(QByteArray("\x6f\x10\x02\x00\x61\x00\x00", 7));
    }

    void badBytesThrow()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY_THROWS_EXCEPTION(platform::DecodingError, plist::parse(bytes));
    }

    // References to one object read as copies; a small file must not unfold without bound.
    void sharedReferencesReadAsCopies()
    {
        Value expected(7);
        for (int i = 0; i < 5; ++i)
            expected = Value(Value::Array { expected, expected });
        QCOMPARE(plist::parse(sharedLevels(5)), expected);
    }

    void oversizedOrCyclicBinaryListsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        // 2^40 objects from about 160 bytes; read as written it takes longer than any test may run.
        QTest::newRow("shared references") << sharedLevels(40);
        QTest::newRow("shared references just past the object limit") << sharedLevels(17);
        QTest::newRow("nested too deeply") << nestedLevels(300);
        QTest::newRow("array holding itself") << binaryPlist({ arrayObject({ 0 }, 1) }, 1);
        QTest::newRow("array holding its holder")
            << binaryPlist({ arrayObject({ 1 }, 1), arrayObject({ 0 }, 1) }, 1);
    }

    void oversizedOrCyclicBinaryListsAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY_THROWS_EXCEPTION(platform::DecodingError, plist::parse(bytes));
    }

    void limitsLeaveOrdinaryListsAlone()
    {
        QCOMPARE(plist::parse(sharedLevels(16)).toArray()->size(), size_t(2));
        Value expected(7);
        for (int i = 0; i < 200; ++i)
            expected = Value(Value::Array { expected });
        QCOMPARE(plist::parse(nestedLevels(200)), expected);
    }

    // The same limits hold for XML, which has no shared references but may simply be large or deep;
    // a refused member inside a dictionary leaves nothing allocated behind (the sanitizer run checks).
    void oversizedXmlIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray many("<plist><array>");
        for (int i = 0; i < 200'001; ++i)
            many += "<true/>";
        QTest::newRow("too many objects") << many + "</array></plist>";
        QByteArray deep("<plist>");
        for (int i = 0; i < 300; ++i)
            deep += "<dict><key>k</key>";
        deep += "<true/>";
        for (int i = 0; i < 300; ++i)
            deep += "</dict>";
        QTest::newRow("dictionaries nested too deeply") << deep + "</plist>";
    }

    void oversizedXmlIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY_THROWS_EXCEPTION(platform::DecodingError, plist::parse(bytes));
    }

    // The C library's number parsing follows the user's locale; property lists must not.
    void realsUnderAGermanLocale_data() { roundTrip_data(); }

    void realsUnderAGermanLocale()
    {
        QFETCH(int, format);
        const QByteArray previous = std::setlocale(LC_ALL, nullptr);
        QVERIFY(std::setlocale(LC_ALL, "de_DE.UTF-8"));
        const Value v(Value::Dictionary { { "r", Value(2.5) }, { "small", Value(-0.125) } });
        const QByteArray bytes = plist::serialize(v, plist::Format(format));
        const Value back = plist::parse(bytes);
        std::setlocale(LC_ALL, previous.constData());
        QCOMPARE(back, v);
    }

    void jsonRoundTrip()
    {
        const Value v = json::parse("{\"version\":\"1.2.3\",\"n\":3,\"r\":3.5,\"list\":[true,null],\"o\":{}}");
        QCOMPARE(v["version"], Value("1.2.3"));
        QCOMPARE(v["n"], Value(3));
        QCOMPARE(v["r"], Value(3.5));
        QCOMPARE(v["list"], Value(Value::Array { Value(true), Value() }));
        QCOMPARE(json::parse(json::serialize(v)), v);
        QCOMPARE(json::parse("7"), Value(7));
    }

    void jsonBadInputThrows_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("html") << QByteArray("<html>500</html>");
        QTest::newRow("truncated") << QByteArray("{\"version\": \"1.");
        QTest::newRow("two values") << QByteArray("1],[2");
    }

    void jsonBadInputThrows()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY_THROWS_EXCEPTION(platform::DecodingError, json::parse(bytes));
    }

    void keyedDecoding()
    {
        Value::Dictionary d;
        d["name"] = Value("Mouse");
        d["level"] = Value(256);
        d["flag"] = Value(1);
        d["gone"] = Value();
        const platform::KeyedDecoder dec { Value(d) };
        QCOMPARE(dec.decodeString("name"), QStringLiteral("Mouse"));
        QVERIFY_THROWS_EXCEPTION(platform::DecodingError, dec.decodeExact<quint8>("level"));
        QCOMPARE(dec.decodeExact<quint16>("level"), quint16(256));
        QVERIFY_THROWS_EXCEPTION(platform::DecodingError, dec.decodeBool("flag"));
        QVERIFY_THROWS_EXCEPTION(platform::DecodingError, dec.decodeString("missing"));
        QVERIFY(!dec.decodeStringIfPresent("gone"));
        QVERIFY_THROWS_EXCEPTION(platform::DecodingError, dec.decodeStringIfPresent("level"));
        QVERIFY_THROWS_EXCEPTION(platform::DecodingError, platform::KeyedDecoder(Value(3)));
    }
};

QTEST_GUILESS_MAIN(PlistTest)
#include "plist_test.moc"
