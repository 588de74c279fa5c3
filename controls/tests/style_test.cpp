#include "pirrow/colorgradient.h"
#include "pirrow/colors.h"
#include "pirrow/colortheme.h"
#include "pirrow/constants.h"
#include "pirrow/gradients.h"
#include "pirrow/hoverdisplaymode.h"
#include "pirrow/scalemode.h"
#include "pirrow/textutilities.h"
#include "pirrow/utilities.h"

#include <platform/ui/systemappearance.h>

#include <QSet>
#include <QTest>

#include <cmath>
#include <functional>
#include <limits>

using namespace pirrow;
using platform::ui::Appearance;
using platform::ui::Color;
using platform::ui::ScopedAppearance;

namespace {
using Colors3 = QList<std::array<int, 3>>;
using GradientGetter = std::function<const ColorGradient &()>;
using ColorGetter = std::function<Color()>;

Colors3 rgb255(const std::vector<Color> &colors)
{
    Colors3 out;
    for (const Color &c : colors)
        out.append({ int(std::lround(c.redComponent() * 255)), int(std::lround(c.greenComponent() * 255)),
            int(std::lround(c.blueComponent() * 255)) });
    return out;
}

Color rgb(int r, int g, int b) { return Color::fromRGB255(r, g, b); }
} // namespace

Q_DECLARE_METATYPE(GradientGetter)
Q_DECLARE_METATYPE(ColorGetter)
Q_DECLARE_METATYPE(Colors3)

class StyleTest : public QObject {
    Q_OBJECT

private slots:
    void fixedColoursAreSharedAndExact()
    {
        QCOMPARE(rgb255({ Colors::plum(), Colors::coral(), Colors::raspberry(), Colors::peach(), Colors::teal(),
                     Colors::cyan() }),
            (Colors3 { { 110, 55, 110 }, { 252, 110, 134 }, { 202, 74, 125 }, { 252, 157, 128 }, { 62, 189, 177 },
                { 0, 182, 208 } }));
        QCOMPARE(&Colors::teal(), &Colors::teal());
        QCOMPARE(Colors::cyan().alphaComponent(), 1.0);
    }

    void appearanceColoursFollowTheAppearance_data()
    {
        QTest::addColumn<ColorGetter>("color");
        QTest::addColumn<Color>("dark");
        QTest::addColumn<Color>("light");
        QTest::newRow("accent blue") << ColorGetter(&Colors::accentBlue) << rgb(56, 118, 213) << rgb(48, 99, 182);
        QTest::newRow("hover") << ColorGetter(&Colors::hover) << rgb(51, 81, 115) << rgb(210, 231, 255);
        QTest::newRow("background") << ColorGetter(&Colors::background) << rgb(52, 54, 57) << rgb(247, 247, 248);
        QTest::newRow("warm background") << ColorGetter(&Colors::warmBackground) << rgb(66, 56, 53)
                                         << rgb(247, 247, 248);
        QTest::newRow("secondary background")
            << ColorGetter(&Colors::secondaryBackground) << rgb(68, 70, 73) << rgb(231, 231, 232);
    }

    void appearanceColoursFollowTheAppearance()
    {
        QFETCH(ColorGetter, color);
        QFETCH(Color, dark);
        QFETCH(Color, light);
        {
            ScopedAppearance forced(Appearance::darkAqua());
            QVERIFY(Colors::isDark());
            QCOMPARE(color(), dark);
        }
        {
            ScopedAppearance forced(Appearance::aqua());
            QVERIFY(!Colors::isDark());
            QCOMPARE(color(), light);
            platform::ui::ScopedDrawingAppearance vibrantDark { Appearance(Appearance::Kind::vibrantDark) };
            QVERIFY(Colors::isDark()); // the drawing appearance counts, and any dark name
            QCOMPARE(color(), dark);
        }
    }

    void allGradientsMatch_data()
    {
        QTest::addColumn<GradientGetter>("gradient");
        QTest::addColumn<Colors3>("colors");
        const Colors3 magentaToOrange { { 217, 87, 169 }, { 233, 69, 63 }, { 243, 143, 67 } };
        const Colors3 pastel { { 255, 154, 162 }, { 255, 183, 178 }, { 255, 218, 193 }, { 226, 240, 203 },
            { 181, 234, 215 }, { 199, 206, 234 } };
        QTest::newRow("0 redToSalmon") << GradientGetter(&Gradients::redToSalmon)
                                       << Colors3 { { 220, 28, 19 }, { 240, 116, 112 } };
        QTest::newRow("1 pinkToRed") << GradientGetter(&Gradients::pinkToRed)
                                     << Colors3 { { 251, 93, 117 }, { 249, 36, 61 } };
        QTest::newRow("2 redToGreen") << GradientGetter(&Gradients::redToGreen)
                                      << Colors3 { { 204, 50, 50 }, { 219, 123, 43 }, { 231, 180, 22 },
                                             { 153, 193, 64 }, { 45, 201, 55 } };
        QTest::newRow("3 tealToCyan") << GradientGetter(&Gradients::tealToCyan)
                                      << Colors3 { { 62, 189, 177 }, { 0, 182, 208 } };
        QTest::newRow("4 violetToPink") << GradientGetter(&Gradients::violetToPink)
                                        << Colors3 { { 107, 55, 255 }, { 246, 64, 157 } };
        QTest::newRow("5 pinkToViolet") << GradientGetter(&Gradients::pinkToViolet)
                                        << Colors3 { { 246, 64, 157 }, { 107, 55, 255 } };
        QTest::newRow("6 orangeToYellow")
            << GradientGetter(&Gradients::orangeToYellow) << Colors3 { { 249, 86, 23 }, { 253, 209, 42 } };
        QTest::newRow("7 magentaToOrange") << GradientGetter(&Gradients::magentaToOrange) << magentaToOrange;
        QTest::newRow("8 goldToPlum") << GradientGetter(&Gradients::goldToPlum)
                                      << Colors3 { { 251, 220, 132 }, { 242, 85, 151 }, { 169, 61, 118 } };
        QTest::newRow("9 plumToRaspberry")
            << GradientGetter(&Gradients::plumToRaspberry) << Colors3 { { 110, 55, 110 }, { 202, 74, 125 } };
        QTest::newRow("10 raspberryToCoral")
            << GradientGetter(&Gradients::raspberryToCoral) << Colors3 { { 203, 74, 125 }, { 252, 110, 135 } };
        QTest::newRow("11 coralToPeach") << GradientGetter(&Gradients::coralToPeach)
                                         << Colors3 { { 253, 112, 135 }, { 253, 158, 129 } };
        QTest::newRow("12 plumToPeach") << GradientGetter(&Gradients::plumToPeach)
                                        << Colors3 { { 110, 55, 110 }, { 203, 74, 125 }, { 253, 158, 129 } };
        QTest::newRow("13 pastel") << GradientGetter(&Gradients::pastel) << pastel;
        QTest::newRow("14 pastelLight") << GradientGetter(&Gradients::pastelLight)
                                        << Colors3 { { 255, 179, 186 }, { 255, 223, 186 }, { 255, 255, 186 },
                                               { 186, 255, 201 }, { 186, 225, 255 } };
        QTest::newRow("15 pastelSecond") << GradientGetter(&Gradients::pastelSecond) << pastel;
        QTest::newRow("17 orangeToRaspberry")
            << GradientGetter(&Gradients::orangeToRaspberry) << Colors3 { { 255, 138, 0 }, { 229, 46, 113 } };
        QTest::newRow("18 magentaToOrangeSecond")
            << GradientGetter(&Gradients::magentaToOrangeSecond) << magentaToOrange;
        QTest::newRow("19 blueToSky") << GradientGetter(&Gradients::blueToSky)
                                      << Colors3 { { 3, 125, 175 }, { 78, 176, 204 } };
        QTest::newRow("20 purpleToRose") << GradientGetter(&Gradients::purpleToRose)
                                         << Colors3 { { 165, 29, 212 }, { 205, 79, 169 }, { 208, 93, 153 } };
        QTest::newRow("21 roseToPink") << GradientGetter(&Gradients::roseToPink)
                                       << Colors3 { { 212, 146, 146 }, { 212, 134, 174 }, { 208, 94, 147 } };
        QTest::newRow("29 magentaToOrangeThird") << GradientGetter(&Gradients::magentaToOrangeThird) << magentaToOrange;
    }

    void allGradientsMatch()
    {
        QFETCH(GradientGetter, gradient);
        QFETCH(Colors3, colors);
        const ColorGradient &g = gradient();
        QCOMPARE(rgb255(g.mColors), colors);
        QCOMPARE(g.start, g.mColors.front());
        QCOMPARE(g.end, g.mColors.back());
        for (const Color &c : g.mColors)
            QCOMPARE(c.alphaComponent(), 1.0);
        QCOMPARE(&gradient(), &g); // built once, then shared
    }

    void systemColourGradients_data()
    {
        QTest::addColumn<GradientGetter>("gradient");
        QTest::addColumn<Color>("system");
        QTest::newRow("22 fadedGreen") << GradientGetter(&Gradients::fadedGreen) << Color::systemGreen();
        QTest::newRow("23 fadedRed") << GradientGetter(&Gradients::fadedRed) << Color::systemRed();
        QTest::newRow("24 fadedBlue") << GradientGetter(&Gradients::fadedBlue) << Color::systemBlue();
        QTest::newRow("25 fadedYellow") << GradientGetter(&Gradients::fadedYellow) << Color::systemYellow();
        QTest::newRow("26 fadedTeal") << GradientGetter(&Gradients::fadedTeal) << Color::systemTeal();
        QTest::newRow("27 fadedPink") << GradientGetter(&Gradients::fadedPink) << Color::systemPink();
        QTest::newRow("28 fadedOrange") << GradientGetter(&Gradients::fadedOrange) << Color::systemOrange();
    }

    void systemColourGradients()
    {
        QFETCH(GradientGetter, gradient);
        QFETCH(Color, system);
        const ColorGradient &g = gradient();
        QCOMPARE(g.mColors.size(), size_t(2));
        QCOMPARE(g.end, system);
        QCOMPARE(g.start, system.withAlphaComponent(0.22));
        // They stay the system's colours: dark and light give the system's two values.
        QCOMPARE(
            g.start.resolved(Appearance::darkAqua()), system.resolved(Appearance::darkAqua()).withAlphaComponent(0.22));
        QCOMPARE(g.end.resolved(Appearance::aqua()), system.resolved(Appearance::aqua()));
    }

    void rainbowIsTheSystemHues()
    {
        QCOMPARE(Gradients::rainbow().mColors,
            (std::vector<Color> { Color::systemRed(), Color::systemOrange(), Color::systemYellow(),
                Color::systemGreen(), Color::systemTeal(), Color::systemBlue() }));
        QCOMPARE(Gradients::tealToCyan().start, Colors::teal());
    }

    void themesSelectTheirGradient()
    {
        QCOMPARE(&Gradients::forTheme(ColorTheme::cardOne), &Gradients::plumToRaspberry());
        QCOMPARE(&Gradients::forTheme(ColorTheme::cardTwo), &Gradients::raspberryToCoral());
        QCOMPARE(&Gradients::forTheme(ColorTheme::cardThree), &Gradients::coralToPeach());
        QCOMPARE(&Gradients::forTheme(ColorTheme::cardFull), &Gradients::plumToPeach());
        QCOMPARE(&Gradients::forTheme(ColorTheme::custom), &Gradients::magentaToOrangeThird());
        QCOMPARE(colorThemeFromRawValue(4), ColorTheme::cardFull);
        QCOMPARE(colorThemeFromRawValue(5), std::nullopt);
        QCOMPARE(hoverDisplayModeFromRawValue(2), HoverDisplayMode::shadow);
        QCOMPARE(hoverDisplayModeFromRawValue(-1), std::nullopt);
    }

    void gradientConstructionAndFading()
    {
        const ColorGradient none { std::vector<Color> {} };
        QCOMPARE(none.mColors, (std::vector<Color> { Colors::teal(), Colors::cyan() }));
        QCOMPARE(none.start, Colors::teal());
        QCOMPARE(none.end, Colors::cyan());
        const ColorGradient one { std::vector<Color> { Color::red() } };
        QCOMPARE(one.start, Color::red());
        QCOMPARE(one.end, Color::red());

        auto alphas = [](const std::vector<Color> &cs) {
            QList<double> out;
            for (const Color &c : cs)
                out << std::round(c.alphaComponent() * 10000) / 10000;
            return out;
        };
        QCOMPARE(alphas(ColorGradient(Color::red(), Color::blue()).fadedColors()), (QList<double> { 0.75, 0.2 }));
        QCOMPARE(alphas(Gradients::plumToPeach().fadedColors()), (QList<double> { 0.9, 0.6667, 0.4333 }));
        QCOMPARE(alphas(Gradients::redToGreen().fadedColors()), (QList<double> { 0.9, 0.76, 0.62, 0.48, 0.34 }));
        QCOMPARE(
            alphas(ColorGradient::alphaColors(Color::red(), Color::blue(), 0.3, 0.1)), (QList<double> { 0.3, 0.1 }));
        QCOMPARE(Gradients::violetToPink().fadedColors().at(0).redComponent(), 107 / 255.0);
    }

    void scaleModesByRawValue_data()
    {
        QTest::addColumn<double>("raw");
        QTest::addColumn<int>("mode"); // -1: none
        QTest::newRow("none") << 0.0 << int(ScaleMode::none);
        QTest::newRow("fifteen") << 15.0 << int(ScaleMode::fifteen);
        QTest::newRow("fourtyFive") << 45.0 << int(ScaleMode::fourtyFive);
        QTest::newRow("thousand") << 1000.0 << int(ScaleMode::thousand);
        QTest::newRow("1024 is none of them") << 1024.0 << -1;
        QTest::newRow("kilobytes is 2^20") << 1048576.0 << int(ScaleMode::kilobytes);
        QTest::newRow("megabytes is 2^30") << 1073741824.0 << int(ScaleMode::megabytes);
        QTest::newRow("2^20 bytes is not megabytes") << 1048576.0 * 1.0 << int(ScaleMode::kilobytes);
        QTest::newRow("fraction") << 2.5 << -1;
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << -1;
    }

    void scaleModesByRawValue()
    {
        QFETCH(double, raw);
        QFETCH(int, mode);
        const std::optional<ScaleMode> m = scaleModeFromRawValue(raw);
        QCOMPARE(m.has_value(), mode >= 0);
        if (m) {
            QCOMPARE(int(*m), mode);
            QCOMPARE(rawValue(*m), raw);
        }
    }

    void scaleModesAreNineteenDistinctValues()
    {
        QSet<double> raws;
        for (ScaleMode m : allScaleModes())
            raws.insert(rawValue(m));
        QCOMPARE(raws.size(), 19);
        QCOMPARE(qHash(ScaleMode::ten), qHash(*scaleModeFromRawValue(10)));
    }

    void dataRateLadder_data()
    {
        QTest::addColumn<quint64>("value");
        QTest::addColumn<bool>("bits");
        QTest::addColumn<double>("divisor");
        QTest::addColumn<QString>("unit");
        QTest::newRow("0 bytes") << quint64(0) << false << 1.0 << "B/s";
        QTest::newRow("1023 bytes") << quint64(1023) << false << 1.0 << "B/s";
        QTest::newRow("1024 bytes") << quint64(1024) << false << 1024.0 << "KB/s";
        QTest::newRow("just below 2^20") << quint64(1048575) << false << 1024.0 << "KB/s";
        QTest::newRow("2^30") << quint64(1073741824) << false << 1073741824.0 << "GB/s";
        QTest::newRow("2^40") << quint64(1099511627776) << false << 1099511627776.0 << "TB/s";
        QTest::newRow("far above 2^40") << std::numeric_limits<quint64>::max() / 2 << false << 1099511627776.0
                                        << "TB/s";
        QTest::newRow("124 bytes in bits") << quint64(124) << true << 1.0 << "b/s";
        QTest::newRow("125 bytes in bits") << quint64(125) << true << 1000.0 << "Kb/s";
        QTest::newRow("10^9 bits") << quint64(125000000) << true << 1000000000.0 << "Gb/s";
        QTest::newRow("10^12 bits at single precision") << quint64(125000000000) << true << 999999995904.0 << "Tb/s";
        QTest::newRow("bits that would overflow") << (quint64(1) << 61) << true << 999999995904.0 << "Tb/s";
    }

    void dataRateLadder()
    {
        QFETCH(quint64, value);
        QFETCH(bool, bits);
        QFETCH(double, divisor);
        QFETCH(QString, unit);
        QCOMPARE(Utilities::dataRateDivisor(value, bits), divisor);
        QCOMPARE(Utilities::dataRateUnit(value, bits), unit);
    }

    void textAttributesHoldThreeEntries()
    {
        const auto a = TextUtilities::attributes(platform::ui::TextAlignment::right, Color::red(), true, 11);
        QCOMPARE(a.count(), 3);
        QCOMPARE(a.font->pointSize(), 11.0);
        QVERIFY(a.font->isBold());
        QCOMPARE(*a.foregroundColor, Color::red());
        QCOMPARE(a.paragraphStyle->alignment, platform::ui::TextAlignment::right);
        QCOMPARE(a.paragraphStyle->lineBreakMode, platform::ui::ParagraphStyle::defaultStyle().lineBreakMode);
        QVERIFY(!TextUtilities::attributes(platform::ui::TextAlignment::left, Color::red(), false, 11).font->isBold());
    }

    void unitsAreExact()
    {
        QCOMPARE(Constants::kilobyte, 1024);
        QCOMPARE(Constants::terabyte, 1099511627776LL);
        QCOMPARE(Constants::kilobit, 1000);
        QCOMPARE(Constants::terabit, 1000000000000LL);
    }
};

QTEST_MAIN(StyleTest)
#include "style_test.moc"
