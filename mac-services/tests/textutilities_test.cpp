#include "olvane/imageattachment.h"
#include "olvane/textutilities.h"

#include <platform/ui/text.h>

#include <QTest>

#include <cmath>

using namespace platform::ui;
using olvane::ImageAttachment;
using olvane::TextUtilities;

Q_DECLARE_METATYPE(TextAttributes)

class TextUtilitiesTest : public QObject {
    Q_OBJECT
private slots:
    void attributes_data()
    {
        QTest::addColumn<TextAttributes>("attributes");
        QTest::addColumn<Font>("font");
        QTest::addColumn<Color>("color");
        QTest::addColumn<TextAlignment>("alignment");
        const Color orange = Color::systemOrange();
        const Font mono = Font::monospacedSystemFont(9);
        QTest::newRow("label, size only")
            << TextUtilities::labelAttributes(12) << Font::systemFont(12) << Color::label() << TextAlignment::center;
        QTest::newRow("label, bold, left") << TextUtilities::labelAttributes(12, true, TextAlignment::left)
                                           << Font::boldSystemFont(12) << Color::label() << TextAlignment::left;
        QTest::newRow("colour") << TextUtilities::colorAttributes(orange, 10) << Font::systemFont(10) << orange
                                << TextAlignment::center;
        QTest::newRow("colour object") << TextUtilities::colorObjectAttributes(orange, TextAlignment::right, 10)
                                       << Font::systemFont(10) << orange << TextAlignment::right;
        QTest::newRow("styled, bold") << TextUtilities::styledAttributes(TextAlignment::natural, orange, true, 11)
                                      << Font::boldSystemFont(11) << orange << TextAlignment::natural;
        QTest::newRow("styled, regular") << TextUtilities::styledAttributes(TextAlignment::justified, orange, false, 11)
                                         << Font::systemFont(11) << orange << TextAlignment::justified;
        QTest::newRow("aligned") << TextUtilities::alignedAttributes(TextAlignment::right, 13) << Font::systemFont(13)
                                 << Color::label() << TextAlignment::right;
        QTest::newRow("font") << TextUtilities::fontAttributes(mono, orange, TextAlignment::left) << mono << orange
                              << TextAlignment::left;
        QTest::newRow("font, aligned") << TextUtilities::fontAlignedAttributes(mono, TextAlignment::center, orange)
                                       << mono << orange << TextAlignment::center;
    }

    void attributes()
    {
        QFETCH(TextAttributes, attributes);
        QFETCH(Font, font);
        QFETCH(Color, color);
        QFETCH(TextAlignment, alignment);
        QCOMPARE(attributes.count(), 3);
        QCOMPARE(attributes.font, std::optional(font));
        QCOMPARE(attributes.foregroundColor, std::optional(color));
        ParagraphStyle expected = ParagraphStyle::defaultStyle();
        expected.alignment = alignment;
        QCOMPARE(attributes.paragraphStyle, std::optional(expected));
    }

    void measuring()
    {
        const Font font = Font::systemFont(13);
        QCOMPARE(TextUtilities::boundingSize(std::nullopt, font, Size { 100, 100 }), Size());
        QCOMPARE(TextUtilities::textHeight(std::nullopt, font), 0.0);
        TextAttributes attributes;
        attributes.font = font;
        QCOMPARE(TextUtilities::boundingSize(QString(), font, Size { 100, 100 }),
            Text::boundingRect(QString(), Size { 100, 100 }, attributes).size);
        const Size oneLine = TextUtilities::boundingSize(QStringLiteral("Battery level"), font, Size {});
        QVERIFY(oneLine.width > 40 && oneLine.height > 10);
        QCOMPARE(TextUtilities::textHeight(QStringLiteral("Battery level"), font), oneLine.height);
        // A narrow maximum width wraps onto more lines.
        const Size wrapped
            = TextUtilities::boundingSize(QStringLiteral("Battery level"), font, Size { oneLine.width / 2, 0 });
        QVERIFY(wrapped.height > oneLine.height);
    }

    void flag_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<uint>>("scalars");
        QTest::newRow("Germany") << "DE" << QList<uint> { 0x1F1E9, 0x1F1EA };
        QTest::newRow("United States") << "US" << QList<uint> { 0x1F1FA, 0x1F1F8 };
        QTest::newRow("lower case lands beyond the indicators") << "us" << QList<uint> { 'u' + 127397u, 's' + 127397u };
        QTest::newRow("empty") << "" << QList<uint> {};
        QTest::newRow("beyond Unicode is left out")
            << QString::fromUcs4(U"A\U00100000B") << QList<uint> { 'A' + 127397u, 'B' + 127397u };
    }

    void flag()
    {
        QFETCH(QString, text);
        QFETCH(QList<uint>, scalars);
        QList<uint> actual;
        for (const char32_t c : TextUtilities::flag(text).toUcs4())
            actual << uint(c);
        QCOMPARE(actual, scalars);
    }

    void imageAttachmentCentresOnHalfTheCapitalHeight_data()
    {
        QTest::addColumn<double>("imageHeight");
        QTest::addColumn<double>("fontSize");
        for (const double height : { 8.0, 11.0, 16.0, 17.5 })
            for (const double size : { 11.0, 13.0, 20.0 })
                QTest::addRow("image %g, font %g", height, size) << height << size;
    }

    void imageAttachmentCentresOnHalfTheCapitalHeight()
    {
        QFETCH(double, imageHeight);
        QFETCH(double, fontSize);
        const Font font = Font::systemFont(fontSize);
        const Image image = Image::withDrawing(Size { 12, imageHeight }, [](GraphicsContext &, const Rect &) {});
        const ImageAttachment attachment(image, font);
        const Rect b = attachment.bounds();
        QCOMPARE(b.x(), 0.0);
        QCOMPARE(b.size, Size({ 12, imageHeight }));
        QCOMPARE(b.y() * 2, std::round(b.y() * 2));
        QVERIFY2(std::abs((b.y() + imageHeight / 2) - font.capHeight() / 2) <= 0.5 + 1e-9,
            qPrintable(QStringLiteral("y %1, cap height %2").arg(b.y()).arg(font.capHeight())));
        QVERIFY(attachment.image() && attachment.image()->isSameObject(image));
    }

    void imageAttachmentWithoutFontIsPlain()
    {
        const ImageAttachment attachment(Image::withDrawing(Size { 12, 12 }, {}), std::nullopt);
        QCOMPARE(attachment.bounds(), Rect());
        QVERIFY(!attachment.image());
    }
};

QTEST_MAIN(TextUtilitiesTest)
#include "textutilities_test.moc"
