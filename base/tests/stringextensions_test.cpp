#include "tavrin/stringextensions.h"

#include <platform/ui/recordingcontext.h>
#include <platform/ui/text.h>

#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <clocale>
#include <cmath>

using namespace tavrin;

Q_DECLARE_METATYPE(std::optional<QString>)

class StringExtensionsTest : public QObject {
    Q_OBJECT

private slots:
    void strictNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("parses");
        QTest::addColumn<double>("value");
        QTest::newRow("decimal") << "3.5" << true << 3.5;
        QTest::newRow("exponent") << "1e3" << true << 1000.0;
        QTest::newRow("negative") << "-0.25" << true << -0.25;
        QTest::newRow("single precision") << "0.1" << true << double(0.1f);
        QTest::newRow("infinity") << "inf" << true << std::numeric_limits<double>::infinity();
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("space before") << " 3.5" << false << 0.0;
        QTest::newRow("space after") << "3.5 " << false << 0.0;
        QTest::newRow("tab before") << "\t3.5" << false << 0.0;
        QTest::newRow("comma decimal") << "3,5" << false << 0.0;
        QTest::newRow("trailing text") << "3.5kg" << false << 0.0;
    }

    void strictNumbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, parses);
        QFETCH(double, value);
        const std::optional<double> v = StringExtensions::cgFloatValue(text);
        QCOMPARE(v.has_value(), parses);
        if (parses)
            QCOMPARE(*v, value);
    }

    void numbersIgnoreTheProcessLocale()
    {
        const char *previous = std::setlocale(LC_NUMERIC, nullptr);
        const std::string keep = previous ? previous : "C";
        if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
            QSKIP("no German locale on this machine");
        QCOMPARE(StringExtensions::cgFloatValue(QStringLiteral("3.5")), std::optional<double>(3.5));
        QCOMPARE(StringExtensions::leadingFloatValue(QStringLiteral("2.25 apples")), 2.25);
        std::setlocale(LC_NUMERIC, keep.c_str());
    }

    void leadingNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("number then text") << "12.5kg" << 12.5;
        QTest::newRow("white space first") << "  7" << 7.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
    }

    void leadingNumbers()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(StringExtensions::leadingFloatValue(text), value);
    }

    void cuttingByCharacters_data()
    {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("expected");
        const QString hello = QStringLiteral("Hello");
        const QString family = QStringLiteral("a\U0001F468\u200D\U0001F469\u200D\U0001F467b"); // a, one family emoji, b
        QTest::newRow("prefix 3") << StringExtensions::prefixText(hello, 3) << "Hel";
        QTest::newRow("prefix 5") << StringExtensions::prefixText(hello, 5) << "Hello";
        QTest::newRow("prefix 10") << StringExtensions::prefixText(hello, 10) << "Hello";
        QTest::newRow("prefix negative") << StringExtensions::prefixText(hello, -1) << "";
        QTest::newRow("substring offset length") << StringExtensions::substring(hello, 1, 3) << "ell";
        QTest::newRow("substring past the end") << StringExtensions::substring(hello, 3, 10) << "lo";
        QTest::newRow("from -2 to 3") << StringExtensions::substringFromTo(hello, -2, 3) << "Hel";
        QTest::newRow("from 1 to 99") << StringExtensions::substringFromTo(hello, 1, 99) << "ello";
        QTest::newRow("to before from") << StringExtensions::substringFromTo(hello, 3, 1) << "";
        QTest::newRow("drop five of image.jpeg")
            << StringExtensions::droppingLastFive(QStringLiteral("image.jpeg")) << "image";
        QTest::newRow("drop five of abcde") << StringExtensions::droppingLastFive(QStringLiteral("abcde")) << "";
        QTest::newRow("drop five of abc") << StringExtensions::droppingLastFive(QStringLiteral("abc")) << "";
        QTest::newRow("a cluster is one character")
            << StringExtensions::prefixText(family, 2) << family.left(family.size() - 1);
        QTest::newRow("cluster substring") << StringExtensions::substring(family, 2, 1) << "b";
        QTest::newRow("last path component")
            << StringExtensions::lastPathComponent(QStringLiteral("/a/b.txt")) << "b.txt";
        QTest::newRow("root") << StringExtensions::lastPathComponent(QStringLiteral("/")) << "/";
        QTest::newRow("trailing slash") << StringExtensions::lastPathComponent(QStringLiteral("a/b/")) << "b";
        QTest::newRow("no slash") << StringExtensions::lastPathComponent(QStringLiteral("plain")) << "plain";
    }

    void cuttingByCharacters()
    {
        QFETCH(QString, result);
        QFETCH(QString, expected);
        QCOMPARE(result, expected);
    }

    void fourCharCodes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint64>("code");
        QTest::newRow("ABCD") << "ABCD" << quint64(0x41424344);
        QTest::newRow("empty") << "" << quint64(0);
        QTest::newRow("e acute") << "\u00e9" << quint64(0x8E);
        QTest::newRow("decomposed e acute") << "e\u0301" << quint64(0x8E);
        QTest::newRow("euro") << "\u20ac" << quint64(0xDB);
        QTest::newRow("outside the encoding") << "A\u4e2d" << quint64(0);
        QTest::newRow("only the last eight bytes") << "ABCDEFGHIJ" << quint64(0x434445464748494A);
    }

    void fourCharCodes()
    {
        QFETCH(QString, text);
        QFETCH(quint64, code);
        QCOMPARE(quint64(StringExtensions::fourCharCode(text)), code);
    }

    void isNilOrEmpty_data()
    {
        QTest::addColumn<std::optional<QString>>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("nothing") << std::optional<QString>() << true;
        QTest::newRow("null text") << std::optional<QString>(QString()) << true;
        QTest::newRow("empty but not null") << std::optional<QString>(QStringLiteral("")) << true;
        QTest::newRow("one space") << std::optional<QString>(QStringLiteral(" ")) << false;
        QTest::newRow("line feed") << std::optional<QString>(QStringLiteral("\n")) << false;
        QTest::newRow("zero-width joiner") << std::optional<QString>(QStringLiteral("\u200d")) << false;
    }
    void isNilOrEmpty()
    {
        QFETCH(std::optional<QString>, text);
        QFETCH(bool, expected);
        QCOMPARE(StringExtensions::isNilOrEmpty(text), expected);
    }

    // Fresh random identifiers: version 4, the standard variant, upper case, never the same twice.
    void uuidsAreFreshAndRandom()
    {
        static const QRegularExpression shape(
            QStringLiteral("^[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}$"));
        QSet<QString> seen;
        for (int i = 0; i < 500; ++i) {
            const QString id = StringExtensions::uuid();
            QVERIFY2(shape.match(id).hasMatch(), qPrintable(id));
            seen.insert(id);
        }
        QCOMPARE(seen.size(), 500);
    }

    void drawsVerticallyCentred()
    {
        platform::ui::RecordingContext rec;
        platform::ui::TextAttributes a;
        a.font = platform::ui::Font::systemFont(12);
        StringExtensions::drawVerticallyCentered(rec, QStringLiteral("42%"), a, platform::ui::Rect(10, 0, 50, 40));
        const auto texts = rec.calls(platform::ui::DrawCall::Kind::text);
        QCOMPARE(texts.size(), size_t(1));
        const double h = platform::ui::Text::size(QStringLiteral("42%"), a).height;
        QVERIFY(h > 5 && h < 40);
        QCOMPARE(texts[0].rect, platform::ui::Rect(10, (40 - h) / 2, 50, h));
        QCOMPARE(texts[0].text, QStringLiteral("42%"));
    }
};

QTEST_MAIN(StringExtensionsTest)
#include "stringextensions_test.moc"
