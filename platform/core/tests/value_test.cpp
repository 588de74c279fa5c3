#include "platform/core/value.h"

#include "testsupport.h"

#include <QTest>

using platform::Value;

class ValueTest : public QObject {
    Q_OBJECT
private slots:
    void numberReads_data()
    {
        QTest::addColumn<Value>("value");
        QTest::addColumn<QVariant>("asInteger");
        QTest::addColumn<QVariant>("asDouble");
        QTest::addColumn<QVariant>("asUInt8");
        QTest::addColumn<QVariant>("asBool");

        const QVariant none;
        QTest::newRow("true reads as 1") << Value(true) << QVariant(1LL) << QVariant(1.0) << QVariant(1) << QVariant(true);
        QTest::newRow("false reads as 0") << Value(false) << QVariant(0LL) << QVariant(0.0) << QVariant(0) << QVariant(false);
        QTest::newRow("integer") << Value(75) << QVariant(75LL) << QVariant(75.0) << QVariant(75) << none;
        QTest::newRow("integer 1 as bool") << Value(1) << QVariant(1LL) << QVariant(1.0) << QVariant(1) << QVariant(true);
        QTest::newRow("width read truncates 300") << Value(300) << QVariant(300LL) << QVariant(300.0) << QVariant(44) << none;
        QTest::newRow("negative width read") << Value(-1) << QVariant(-1LL) << QVariant(-1.0) << QVariant(255) << none;
        QTest::newRow("integral real") << Value(42.0) << QVariant(42LL) << QVariant(42.0) << QVariant(42) << none;
        QTest::newRow("fractional real") << Value(1.5) << none << QVariant(1.5) << QVariant(1) << none;
        QTest::newRow("real beyond range") << Value(1e300) << none << QVariant(1e300) << QVariant(255) << none;
        QTest::newRow("string") << Value("42") << none << none << none << none;
        QTest::newRow("null") << Value() << none << none << none << none;
        QTest::newRow("data") << Value(QByteArray("x")) << none << none << none << none;
    }

    void numberReads()
    {
        QFETCH(Value, value);
        QFETCH(QVariant, asInteger);
        QFETCH(QVariant, asDouble);
        QFETCH(QVariant, asUInt8);
        QFETCH(QVariant, asBool);

        auto i = value.toInteger();
        QCOMPARE(i.has_value(), asInteger.isValid());
        if (i)
            QCOMPARE(static_cast<qlonglong>(*i), asInteger.toLongLong());
        auto d = value.toDouble();
        QCOMPARE(d.has_value(), asDouble.isValid());
        if (d)
            QCOMPARE(*d, asDouble.toDouble());
        auto u8 = value.toTruncated<quint8>();
        QCOMPARE(u8.has_value(), asUInt8.isValid());
        if (u8)
            QCOMPARE(int(*u8), asUInt8.toInt());
        auto b = value.toBool();
        QCOMPARE(b.has_value(), asBool.isValid());
        if (b)
            QCOMPARE(*b, asBool.toBool());
    }

    void otherTypesReadEmpty()
    {
        const Value s("text");
        QCOMPARE(s.toString().value(), QStringLiteral("text"));
        QVERIFY(!Value(3).toString());
        QVERIFY(!s.toData());
        QVERIFY(!s.toArray());
        QVERIFY(!s.toDictionary());
        QVERIFY(s["key"].isNull());
    }

    void unsignedBeyondSigned()
    {
        const Value big(18446744073709551615ULL);
        QCOMPARE(big.type(), Value::Type::Integer);
        QVERIFY(big.isUnsignedBeyondSigned());
        QVERIFY(!big.toInteger());
        QCOMPARE(big.toUnsigned().value(), 18446744073709551615ULL);
        QVERIFY(!Value(-1).toUnsigned());
        QCOMPARE(Value(5ULL), Value(5));
    }

    void dictionaryAccess()
    {
        Value::Dictionary d;
        d["a"] = Value(1);
        d["b"] = Value(Value::Array { Value("x"), Value() });
        const Value v(d);
        QCOMPARE(v["a"], Value(1));
        QVERIFY(v.find("b")->isArray());
        QVERIFY(!v.find("c"));
        QCOMPARE(v.debugText(), QStringLiteral("{a: 1, b: [\"x\", null]}"));
    }
};

QTEST_GUILESS_MAIN(ValueTest)
#include "value_test.moc"
