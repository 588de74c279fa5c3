#include "pirrow/historyview.h"

#include <QTest>

#include <cmath>

using namespace platform::ui;
using pirrow::HistoryView;

namespace {

/// The cells of a path of squares, as (column, row) for the default pitch of 5.
std::vector<std::pair<int, int>> cells(const Path &path)
{
    std::vector<std::pair<int, int>> out;
    for (const auto &e : path.elements())
        if (e.kind == PathElement::Kind::moveTo)
            out.push_back({ int(std::lround(e.points[0].x / 5)), int(std::lround(e.points[0].y / 5)) });
    return out;
}

int litInColumn(const HistoryView &view, int column)
{
    const auto mask = std::static_pointer_cast<ShapeLayer>(view.gradientLayer()->mask());
    int n = 0;
    for (auto [c, r] : cells(*mask->path()))
        n += c == column;
    return n;
}

} // namespace

class HistoryViewTest : public QObject {
    Q_OBJECT

private slots:
    void aValueLightsItsShareOfTenCells_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("lit");
        QTest::newRow("half") << 50.0 << 5;
        QTest::newRow("99 truncates") << 99.0 << 9;
        QTest::newRow("all") << 100.0 << 10;
        QTest::newRow("too little for a cell") << 5.0 << 0;
        QTest::newRow("above the maximum") << 150.0 << 15;
        QTest::newRow("negative") << -20.0 << 0;
        QTest::newRow("not a number") << std::nan("") << 0;
        QTest::newRow("far above the maximum is cut") << 1e15 << 1000;
    }

    void aValueLightsItsShareOfTenCells()
    {
        QFETCH(double, value);
        QFETCH(int, lit);
        HistoryView view(Rect(0, 0, 100, 48));
        view.setData({ 0.0, value });
        QCOMPARE(litInColumn(view, 1), lit);
        QCOMPARE(litInColumn(view, 0), 0);
    }

    void cellsSitOnTheirPitch()
    {
        HistoryView view(Rect(0, 0, 100, 48));
        view.setData({ 50.0 });
        const auto mask = std::static_pointer_cast<ShapeLayer>(view.gradientLayer()->mask());
        QCOMPARE(mask->path()->boundingBox(), Rect(0, 0, 3, 23));
        QVERIFY(mask->path()->contains({ 1.5, 21.5 }));
        QVERIFY(!mask->path()->contains({ 1.5, 19 })); // the gap between cells 3 and 4
        QCOMPARE(view.backgroundLayer()->path()->boundingBox(), Rect(0, 0, 3, 48));
    }

    void aZeroMaximumLightsFullColumns()
    {
        HistoryView view(Rect(0, 0, 100, 48));
        view.setMax(0);
        view.setData({ 0.0, 7.0 });
        QCOMPARE(litInColumn(view, 0), 0);
        QCOMPARE(litInColumn(view, 1), 10);
    }

    void contentSize()
    {
        HistoryView view(Rect(0, 0, 100, 48));
        view.setData({ 1, 2, 3, 4 });
        QCOMPARE(view.contentWidth(), 20.0);
        QCOMPARE(view.contentHeight(), 48.0);
    }

    void theBackgroundIsRebuiltOnlyWhenTheCountChanges()
    {
        HistoryView view(Rect(0, 0, 100, 48));
        view.setData({ 1, 2 });
        QCOMPARE(view.oldDataCount(), 2);
        const auto before = view.backgroundLayer()->fillColor();
        view.setBackColor(Color::red());
        QCOMPARE(view.backgroundLayer()->fillColor(), before);
        view.setData({ 1, 2, 3 });
        QCOMPARE(view.backgroundLayer()->fillColor(), std::optional<Color>(Color::red()));
        QCOMPARE(int(cells(*view.backgroundLayer()->path()).size()), 30);
    }

    void lockingBatchesChanges()
    {
        HistoryView view(Rect(0, 0, 100, 48));
        view.setData({ 100.0 });
        const auto firstMask = view.gradientLayer()->mask();
        view.lock();
        view.setData({ 10.0, 20.0 });
        view.setData({ 30.0, 40.0 });
        QCOMPARE(view.gradientLayer()->mask(), firstMask);
        view.setColors({ Color::red(), Color::blue() });
        QCOMPARE(view.gradientLayer()->colors(), (std::vector<Color> { Color::red(), Color::blue() }));
        view.unlock();
        QVERIFY(view.gradientLayer()->mask() != firstMask);
        QCOMPARE(litInColumn(view, 1), 4);
    }

    // A full column drawn with the defaults runs from (217, 87, 169) at the top through (233, 69, 63)
    // to (243, 143, 67) at the bottom.
    void defaultsDrawTheSharedThreeColourGradientTopToBottom()
    {
        HistoryView view(Rect(0, 0, 5, 48));
        view.setData({ 100.0 });
        const QImage image = view.renderToImage();
        QCOMPARE(image.height(), 48);
        auto near = [&](int row, QColor expected) {
            const QColor c = image.pixelColor(1, row);
            const bool close = std::abs(c.red() - expected.red()) <= 12 && std::abs(c.green() - expected.green()) <= 12
                && std::abs(c.blue() - expected.blue()) <= 12 && c.alpha() == 255;
            return close ? QString() : QStringLiteral("row %1 is %2, not near %3").arg(row).arg(c.name(), expected.name());
        };
        const QString top = near(1, QColor(217, 87, 169)); // cell 9
        QVERIFY2(top.isEmpty(), qPrintable(top));
        const QString middle = near(21, QColor(233, 69, 63)); // cell 5
        QVERIFY2(middle.isEmpty(), qPrintable(middle));
        const QString bottom = near(46, QColor(243, 143, 67)); // cell 0
        QVERIFY2(bottom.isEmpty(), qPrintable(bottom));
        QCOMPARE(image.pixelColor(1, 4).alpha(), 0); // the gap between cells 9 and 8
    }

    void litCellsShowTheGradient()
    {
        HistoryView view(Rect(0, 0, 20, 48));
        view.setColors({ Color::red(), Color::red() });
        view.setBackColor(Color::blue());
        view.setData({ 50.0 });
        const QImage image = view.renderToImage();
        // Row 0 (bottom) is lit, row 9 (top) is background.
        const QColor lit = image.pixelColor(1, 48 - 2);
        const QColor dark = image.pixelColor(1, 1);
        QVERIFY2(lit.red() > 200 && lit.blue() < 50, qPrintable(lit.name()));
        QVERIFY2(dark.blue() > 200 && dark.red() < 50, qPrintable(dark.name()));
    }
};

QTEST_MAIN(HistoryViewTest)
#include "historyview_test.moc"
