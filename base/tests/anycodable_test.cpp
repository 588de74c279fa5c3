#include "tavrin/anycodable.h"
#include "tavrin/anydecodable.h"
#include "tavrin/anyencodable.h"

#include <platform/core/json.h>

#include <QTest>

#include <functional>

using namespace tavrin;
using platform::Number;
using platform::Value;

namespace {
// Writes what each call was, so a test sees which width and kind the value took.
class RecordingEncoder : public platform::Encoder {
public:
    QStringList codingPath() const override { return {}; }
    std::unique_ptr<platform::SingleValueEncodingContainer> singleValueContainer() override
    {
        return std::make_unique<Container>(m_text);
    }
    QString text() const { return m_text; }

private:
    class Container : public platform::SingleValueEncodingContainer {
    public:
        explicit Container(QString &out)
            : m_out(out)
        {
        }
        QStringList codingPath() const override { return { "top" }; }
        void encodeNil() override { m_out = "nil"; }
        void encode(bool v) override { m_out = v ? "Bool true" : "Bool false"; }
        void encode(std::int8_t v) override { m_out = QStringLiteral("Int8 %1").arg(v); }
        void encode(std::int16_t v) override { m_out = QStringLiteral("Int16 %1").arg(v); }
        void encode(std::int32_t v) override { m_out = QStringLiteral("Int32 %1").arg(v); }
        void encode(std::int64_t v) override { m_out = QStringLiteral("Int64 %1").arg(v); }
        void encode(std::uint8_t v) override { m_out = QStringLiteral("UInt8 %1").arg(v); }
        void encode(std::uint16_t v) override { m_out = QStringLiteral("UInt16 %1").arg(v); }
        void encode(std::uint32_t v) override { m_out = QStringLiteral("UInt32 %1").arg(v); }
        void encode(std::uint64_t v) override { m_out = QStringLiteral("UInt64 %1").arg(v); }
        void encode(float v) override { m_out = QStringLiteral("Float %1").arg(double(v)); }
        void encode(double v) override { m_out = QStringLiteral("Double %1").arg(v); }
        void encode(const QString &v) override { m_out = "String " + v; }
        void encode(const QDateTime &v) override { m_out = "Date " + v.toString(Qt::ISODate); }
        void encode(const QUrl &v) override { m_out = "URL " + v.toString(); }
        void encode(const std::vector<const platform::Encodable *> &elements) override
        {
            QStringList parts;
            for (const auto *e : elements) {
                RecordingEncoder child;
                e->encode(child);
                parts << child.text();
            }
            m_out = "[" + parts.join(", ") + "]";
        }
        void encode(const std::vector<std::pair<QString, const platform::Encodable *>> &members) override
        {
            QStringList parts;
            for (const auto &[key, e] : members) {
                RecordingEncoder child;
                e->encode(child);
                parts << key + ": " + child.text();
            }
            m_out = "{" + parts.join(", ") + "}";
        }

    private:
        QString &m_out;
    };
    QString m_text = "(nothing)";
};

QString written(const AnyEncodable &value)
{
    RecordingEncoder encoder;
    value.encode(encoder);
    return encoder.text();
}

// The encoding error's description, or "" when the value was written.
QString encodingFailure(const AnyEncodable &value)
{
    RecordingEncoder encoder;
    try {
        value.encode(encoder);
    } catch (const platform::EncodingError &e) {
        if (encoder.text() != "(nothing)")
            return "wrote before failing";
        return e.debugDescription();
    }
    return {};
}

using Make = std::function<AnyEncodable()>;
}

Q_DECLARE_METATYPE(Make)

class AnyCodableTest : public QObject {
    Q_OBJECT
private slots:
    void encoding_data()
    {
        QTest::addColumn<Make>("make");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty value") << Make([] { return AnyEncodable(); }) << "nil";
        QTest::newRow("nil literal") << Make([] { return AnyEncodable(nullptr); }) << "nil";
        QTest::newRow("absent optional") << Make([] { return AnyEncodable::wrapping(std::optional<int>()); }) << "nil";
        QTest::newRow("null object") << Make([] { return AnyEncodable::wrapping(platform::NullObject {}); }) << "nil";
        QTest::newRow("integer literal is the platform word") << Make([] { return AnyEncodable(42); }) << "Int64 42";
        QTest::newRow("int8") << Make([] { return AnyEncodable::wrapping(std::int8_t(-3)); }) << "Int8 -3";
        QTest::newRow("uint16") << Make([] { return AnyEncodable::wrapping(std::uint16_t(65535)); }) << "UInt16 65535";
        QTest::newRow("int32") << Make([] { return AnyEncodable::wrapping(std::int32_t(7)); }) << "Int32 7";
        QTest::newRow("unsigned word") << Make([] { return AnyEncodable::wrapping(18446744073709551615ULL); })
                                       << "UInt64 18446744073709551615";
        QTest::newRow("float stays 32-bit") << Make([] { return AnyEncodable::wrapping(1.5f); }) << "Float 1.5";
        QTest::newRow("double") << Make([] { return AnyEncodable(2.25); }) << "Double 2.25";
        QTest::newRow("bool") << Make([] { return AnyEncodable(true); }) << "Bool true";
        QTest::newRow("text") << Make([] { return AnyEncodable("hi"); }) << "String hi";
        QTest::newRow("date") << Make([] { return AnyEncodable::wrapping(QDateTime::fromSecsSinceEpoch(0, Qt::UTC)); })
                              << "Date 1970-01-01T00:00:00Z";
        QTest::newRow("url") << Make([] { return AnyEncodable::wrapping(QUrl("https://velmorn.example/a")); })
                             << "URL https://velmorn.example/a";
        QTest::newRow("list with an absent element") << Make([] {
            return AnyEncodable::array({ 1, nullptr, "x" });
        }) << "[Int64 1, nil, String x]";
        QTest::newRow("nested list") << Make([] { return AnyEncodable::array({ AnyEncodable::array({ true }) }); })
                                     << "[[Bool true]]";
        QTest::newRow("dictionary keeps the first of a repeated key") << Make([] {
            return AnyEncodable::dictionary({ { QStringLiteral("a"), 1 }, { QStringLiteral("a"), 2 } });
        }) << "{a: Int64 1}";
        QTest::newRow("text-keyed dictionary") << Make([] {
            return AnyEncodable::wrapping(AnyDictionary { { "k", std::any(2.5) }, { "n", std::any() } });
        }) << "{k: Double 2.5, n: nil}";
        QTest::newRow("number s") << Make([] { return AnyEncodable::wrapping(Number(std::int16_t(300))); })
                                  << "Int16 300";
        QTest::newRow("number i") << Make([] { return AnyEncodable::wrapping(Number(std::int32_t(100000))); })
                                  << "Int32 100000";
        QTest::newRow("number l") << Make([] { return AnyEncodable::wrapping(Number::withTypeLetter('l', 5)); })
                                  << "Int32 5";
        QTest::newRow("number L") << Make([] { return AnyEncodable::wrapping(Number::withTypeLetter('L', 5)); })
                                  << "UInt32 5";
        QTest::newRow("number q") << Make([] { return AnyEncodable::wrapping(Number(-9LL)); }) << "Int64 -9";
        QTest::newRow("number Q") << Make([] { return AnyEncodable::wrapping(Number(9ULL)); }) << "UInt64 9";
        QTest::newRow("number S") << Make([] { return AnyEncodable::wrapping(Number(std::uint16_t(9))); })
                                  << "UInt16 9";
        QTest::newRow("number I") << Make([] { return AnyEncodable::wrapping(Number(9U)); }) << "UInt32 9";
        QTest::newRow("number f") << Make([] { return AnyEncodable::wrapping(Number(0.5f)); }) << "Float 0.5";
        QTest::newRow("number d") << Make([] { return AnyEncodable::wrapping(Number(0.5)); }) << "Double 0.5";
        QTest::newRow("number c of 2 is true")
            << Make([] { return AnyEncodable::wrapping(Number(std::int8_t(2))); }) << "Bool true";
        QTest::newRow("number C of 0 is false")
            << Make([] { return AnyEncodable::wrapping(Number(std::uint8_t(0))); }) << "Bool false";
        QTest::newRow("boxed bool") << Make([] { return AnyEncodable::wrapping(Number(true)); }) << "Bool true";
    }
    void encoding()
    {
        QFETCH(Make, make);
        QFETCH(QString, expected);
        QCOMPARE(written(make()), expected);
        QCOMPARE(written(AnyCodable(make())), expected); // the codable wrapper writes the same
    }

    void encodingFailures_data()
    {
        QTest::addColumn<Make>("make");
        QTest::addColumn<QString>("message");
        const QString unsupported = "AnyEncodable value cannot be encoded";
        QTest::newRow("non-text key") << Make([] {
            return AnyEncodable::dictionary({ { 1LL, "one" } });
        }) << unsupported;
        QTest::newRow("another wrapper") << Make([] { return AnyEncodable::wrapping(std::any(AnyEncodable(1))); })
                                         << unsupported;
        QTest::newRow("unknown kind") << Make([] { return AnyEncodable::wrapping(QByteArray("x")); }) << unsupported;
        QTest::newRow("number of unknown letter")
            << Make([] { return AnyEncodable::wrapping(Number::withTypeLetter('B', 1)); })
            << "NSNumber cannot be encoded because its type is not handled";
        QTest::newRow("inside a list") << Make([] {
            return AnyEncodable::array({ 1, AnyEncodable::wrapping('x') });
        }) << unsupported;
    }
    void encodingFailures()
    {
        QFETCH(Make, make);
        QFETCH(QString, message);
        QCOMPARE(encodingFailure(make()), message);
    }

    void errorCarriesValueAndPath()
    {
        RecordingEncoder encoder;
        try {
            AnyEncodable::wrapping(QByteArray("x")).encode(encoder);
            QFAIL("no error");
        } catch (const platform::EncodingError &e) {
            QCOMPARE(e.codingPath(), QStringList { "top" });
            QCOMPARE(std::any_cast<QByteArray>(e.value()), QByteArray("x"));
        }
    }

    void decoding()
    {
        const Value v = platform::json::parse(
            "{\"n\": null, \"i\": 3, \"big\": 9223372036854775808, \"r\": 3.5, \"b\": true, \"s\": \"t\", "
            "\"l\": [1, \"a\", null, [false]]}");
        const AnyDecodable d { platform::ValueDecoder(v) };
        const auto &dict = std::any_cast<const AnyDictionary &>(d.value());
        QVERIFY(std::any_cast<platform::NullObject>(&dict.at("n"))); // a null object, not the empty value
        QCOMPARE(std::any_cast<long long>(dict.at("i")), 3LL);
        QCOMPARE(std::any_cast<unsigned long long>(dict.at("big")), 9223372036854775808ULL);
        QCOMPARE(std::any_cast<double>(dict.at("r")), 3.5);
        QCOMPARE(std::any_cast<bool>(dict.at("b")), true);
        QCOMPARE(std::any_cast<QString>(dict.at("s")), QStringLiteral("t"));
        const auto &list = std::any_cast<const AnyList &>(dict.at("l"));
        QCOMPARE(list.size(), 4u);
        QCOMPARE(std::any_cast<long long>(list[0]), 1LL);
        QCOMPARE(std::any_cast<QString>(list[1]), QStringLiteral("a"));
        QVERIFY(std::any_cast<platform::NullObject>(&list[2]));
        QCOMPARE(std::any_cast<bool>(std::any_cast<const AnyList &>(list[3]).at(0)), false);
    }

    void decodingWhatNoReadTakes()
    {
        const Value v(Value::Dictionary { { "when", Value(QDateTime::fromSecsSinceEpoch(0, Qt::UTC)) } });
        for (int kind = 0; kind < 2; ++kind) {
            try {
                const platform::ValueDecoder decoder(v["when"], { "when" });
                if (kind == 0)
                    AnyDecodable { decoder };
                else
                    AnyCodable { decoder };
                QFAIL("decoded a date");
            } catch (const platform::DecodingError &e) {
                QCOMPARE(e.debugDescription(), QStringLiteral("AnyDecodable value cannot be decoded"));
                QCOMPARE(e.codingPath(), QStringList { "when" });
            }
        }
    }

    void roundTripThroughValues()
    {
        const AnyCodable original = AnyCodable::dictionary({ { QStringLiteral("name"), "Quenby" },
            { QStringLiteral("levels"), AnyEncodable::array({ 1, 2.5, nullptr }) } });
        platform::ValueEncoder encoder;
        original.encode(encoder);
        QCOMPARE(
            platform::json::serialize(encoder.value()), QByteArray("{\"levels\":[1,2.5,null],\"name\":\"Quenby\"}"));
        const AnyCodable back { platform::ValueDecoder(encoder.value()) };
        platform::ValueEncoder again;
        back.encode(again);
        QCOMPARE(again.value(), encoder.value());
    }
};

QTEST_APPLESS_MAIN(AnyCodableTest)
#include "anycodable_test.moc"
