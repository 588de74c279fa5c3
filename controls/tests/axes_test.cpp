#include "pirrow/graphview.h"
#include "pirrow/pointaxis.h"
#include "pirrow/textaxis.h"
#include "pirrow/timeaxis.h"
#include "pirrow/valueaxis.h"

#include <platform/ui/basicanimation.h>

#include <QTest>

using namespace platform::ui;
using pirrow::AxisPoint;
using pirrow::PointAxis;
using pirrow::TextAxis;
using pirrow::TimeAxis;
using pirrow::ValueAxis;

namespace {

constexpr double W = 300, H = 100;

std::shared_ptr<Layer> target()
{
    auto layer = Layer::create();
    layer->setFrame(Rect(0, 0, W, H));
    return layer;
}

QStringList strings(const std::vector<std::shared_ptr<TextLayer>> &layers)
{
    QStringList out;
    for (const auto &l : layers)
        out << l->string();
    return out;
}

/// Seconds since 1970 of the middle of a month, in local time.
double midMonth(int year, int month)
{
    return double(QDateTime(QDate(year, month, 15), QTime(12, 0)).toSecsSinceEpoch());
}

} // namespace

class AxesTest : public QObject {
    Q_OBJECT

private slots:
    void heights()
    {
        TextAxis text;
        QCOMPARE(text.height(), 24.0);
        text.setFillLabel(true);
        QCOMPARE(text.height(), 36.0);
        QCOMPARE(PointAxis({}, 10).height(), 24.0);
        QCOMPARE(TimeAxis().height(), 24.0);
        QCOMPARE(ValueAxis(0, 1, 1).height(), 24.0);
    }

    void evenlySpreadTextsSkipEmptyOnes()
    {
        auto layer = target();
        TextAxis axis;
        axis.setTexts({ QStringLiteral("Mon"), QString(), QStringLiteral("Wed") });
        axis.draw(layer, 2);
        QCOMPARE(strings(axis.layers()), (QStringList { QStringLiteral("Mon"), QStringLiteral("Wed") }));
        const auto &first = *axis.layers()[0];
        const auto &last = *axis.layers()[1];
        QCOMPARE(first.frame().x(), 2.0);
        QCOMPARE(first.alignmentMode(), TextAlignment::left);
        QCOMPARE(last.frame().maxX(), W - 2);
        QCOMPARE(last.alignmentMode(), TextAlignment::right);
        QVERIFY(std::abs(first.frame().midY() - (H - 12)) < 1e-9);
        QVERIFY(axis.fillLayers().empty());
    }

    void centredCellsWithFillsAndSelection()
    {
        auto layer = target();
        TextAxis axis;
        axis.setAlignMode(pirrow::TextAlignMode::centered);
        axis.setFillLabel(true);
        axis.setSelectedIndex(1);
        axis.setTexts({ QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C") });
        axis.draw(layer, 2);
        QCOMPARE(axis.fillLayers().size(), size_t(3));
        QCOMPARE(axis.layers()[1]->frame().x(), 100.0);
        QCOMPARE(axis.layers()[1]->frame().width(), 100.0);
        QCOMPARE(axis.fillLayers()[1]->fillColor(), std::optional<Color>(Color::black()));
        QCOMPARE(axis.layers()[1]->foregroundColor(), std::optional<Color>(Color::white()));
        QCOMPARE(axis.fillLayers()[0]->path()->boundingBox(), Rect(2, H - 36, 100, 36));
        QCOMPARE(axis.fillLayers()[2]->path()->boundingBox(), Rect(202, H - 36, 100, 36));
        // Text lies above its fill.
        const auto &subs = layer->sublayers();
        const auto indexOf = [&](const Layer *l) {
            return std::find_if(subs.begin(), subs.end(), [&](auto &s) { return s.get() == l; }) - subs.begin();
        };
        QVERIFY(indexOf(axis.layers()[1].get()) > indexOf(axis.fillLayers()[1].get()));

        axis.setSelectedIndex(1);
        QVERIFY(!axis.fillLayers()[1]->animation(QStringLiteral("fillColor")));
        axis.setSelectedIndex(2);
        const auto *back
            = dynamic_cast<const BasicAnimation *>(axis.fillLayers()[1]->animation(QStringLiteral("fillColor")));
        QVERIFY(back);
        QCOMPARE(std::get<Color>(*back->toValue()), axis.fillColor());
        QCOMPARE(back->duration(), 0.2);
        const auto *on
            = dynamic_cast<const BasicAnimation *>(axis.layers()[2]->animation(QStringLiteral("foregroundColor")));
        QVERIFY(on);
        QCOMPARE(std::get<Color>(*on->toValue()), Color::white());
    }

    void detailsGoUnderTheirTexts()
    {
        auto layer = target();
        TextAxis axis;
        axis.setAlignMode(pirrow::TextAlignMode::centered);
        axis.setTexts({ QStringLiteral("A"), QStringLiteral("B") });
        axis.setDetails({ QStringLiteral("a"), std::nullopt });
        axis.draw(layer, 2);
        QCOMPARE(
            strings(axis.layers()), (QStringList { QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("B") }));
        QCOMPARE(axis.layers()[1]->frame().y(), H - 24 + 2);
        QVERIFY(axis.layers()[0]->frame().y() > axis.layers()[1]->frame().y());
    }

    void pointAxisStopsAtAPointBeyondMax()
    {
        auto layer = target();
        PointAxis axis({ AxisPoint(0, QStringLiteral("0")), AxisPoint(50, QStringLiteral("50")),
                           AxisPoint(150, QStringLiteral("150")) },
            100);
        axis.draw(layer, 2);
        QCOMPARE(axis.layers().size(), size_t(2));
        QCOMPARE(axis.tickLayer()->superlayer(), nullptr);

        axis.setPoints({ AxisPoint(0, std::nullopt), AxisPoint(100, QStringLiteral("100")) });
        axis.draw(layer, 2);
        QCOMPARE(axis.layers().size(), size_t(2)); // one label and the ticks
        const auto &label = *axis.layers()[0];
        QCOMPARE(label.frame().maxX(), W - 1); // pushed back inside the right edge
        const Rect ticks = axis.tickLayer()->path()->boundingBox();
        QCOMPARE(ticks.y(), H - 24);
        QCOMPARE(ticks.height(), 3.0);
        QCOMPARE(ticks.x(), -1.0);
        QCOMPARE(ticks.maxX(), W - 1);

        axis.clear();
        QVERIFY(axis.points().empty());
        QVERIFY(layer->sublayers().empty());
        axis.draw(layer, 2);
        QVERIFY(layer->sublayers().empty());
    }

    void valueAxisWritesEachSegment_data()
    {
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("two segments") << 50.0 << 100.0 << QStringLiteral("%.2f")
                                      << QStringList { QStringLiteral("50.00"), QStringLiteral("100.00"),
                                             QStringLiteral("75.00") };
        QTest::newRow("max equals min") << 50.0 << 50.0 << QStringLiteral("%.2f") << QStringList {};
        QTest::newRow("max not positive") << -5.0 << 0.0 << QStringLiteral("%.2f") << QStringList {};
        QTest::newRow("empty format") << 0.0 << 10.0 << QString() << QStringList {};
        QTest::newRow("format taking a text is refused") << 0.0 << 10.0 << QStringLiteral("%s") << QStringList {};
        QTest::newRow("format taking two values is refused")
            << 0.0 << 10.0 << QStringLiteral("%f %f") << QStringList {};
        QTest::newRow("percent signs pass")
            << 0.0 << 10.0 << QStringLiteral("%.0f%%")
            << QStringList { QStringLiteral("0%"), QStringLiteral("10%"), QStringLiteral("5%") };
    }

    void valueAxisWritesEachSegment()
    {
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(QString, format);
        QFETCH(QStringList, expected);
        auto layer = target();
        ValueAxis axis(min, max, 2);
        axis.setFormatString(format);
        axis.draw(layer, 2);
        QCOMPARE(strings(axis.layers()), expected);
        if (!expected.isEmpty()) {
            QCOMPARE(axis.layers()[0]->frame().x(), 4.0);
            QCOMPARE(axis.layers()[1]->frame().maxX(), W - 4);
            QCOMPARE(axis.layers()[2]->frame().midX(), W / 2);
        }
    }

    void valueAxisUnitAndMonths()
    {
        ValueAxis axis(0, 10, 1);
        axis.setUnit(QStringLiteral("W"));
        QCOMPARE(axis.text(2.5), QStringLiteral("2.50 W"));
        axis.setFormatType(ValueAxis::FormatType::monthShortName);
        QCOMPARE(axis.text(midMonth(2024, 3)), QLocale().standaloneMonthName(3, QLocale::ShortFormat));
    }

    void timeAxisLabelsEveryTimestamp()
    {
        auto layer = target();
        TimeAxis axis;
        axis.setTimestamps({ midMonth(2024, 1), midMonth(2024, 2), midMonth(2024, 3) });
        axis.draw(layer, 2);
        QCOMPARE(axis.layers().size(), size_t(4));
        QCOMPARE(axis.layers()[0], std::static_pointer_cast<Layer>(axis.tickLayer()));
        const auto points = axis.tickLayer()->path()->elements();
        QCOMPARE(points[0].points[0], Point(9, H - 24)); // trunc(0 + 10 − 0.5)
        QCOMPARE(points[2].points[0], Point(109, H - 24));
        const auto label = std::dynamic_pointer_cast<TextLayer>(axis.layers()[2]);
        QCOMPARE(label->string(), QLocale().standaloneMonthName(2, QLocale::ShortFormat));
        QCOMPARE(label->frame(), Rect(110, H - 20, 100, 20));
        axis.clear();
        QVERIFY(layer->sublayers().empty());
    }

    void weeklyLabelsDoNotOverlap()
    {
        auto layer = target();
        TimeAxis axis;
        axis.setPeriod(TimeAxis::TimePeriod::weekly);
        std::vector<double> weeks;
        const double start = midMonth(2024, 1);
        for (int i = 0; i < 26; ++i)
            weeks.push_back(start + i * 7 * 86400.0);
        axis.setTimestamps(weeks);
        axis.draw(layer, 2);
        QVERIFY(axis.layers().size() > 2);
        for (size_t i = 1; i < axis.layers().size(); ++i)
            for (size_t j = i + 1; j < axis.layers().size(); ++j)
                QVERIFY(!axis.layers()[i]->frame().intersects(axis.layers()[j]->frame()));
        axis.setTimestamps({ start });
        axis.draw(layer, 2);
        QCOMPARE(axis.layers().size(), size_t(1));
    }

    void aGraphKeepsItsAxisStripFree()
    {
        pirrow::GraphView graph(Rect(0, 0, W, H));
        auto axis = std::make_shared<TextAxis>();
        axis->setTexts({ QStringLiteral("a"), QStringLiteral("b") });
        graph.setAxisX(axis);
        QCOMPARE(graph.bottomInset(), 24.0);
        QCOMPARE(axis->layers().size(), size_t(2));
        QCOMPARE(axis->layers()[0]->superlayer(), graph.layer().get());
    }
};

QTEST_MAIN(AxesTest)
#include "axes_test.moc"
