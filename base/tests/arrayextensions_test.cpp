#include "tavrin/arrayextensions.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdint>

using tavrin::ArrayExtensions;
using tavrin::ComparableExtensions;

using Ints = std::vector<int>;
using Chunks = std::vector<Ints>;

Q_DECLARE_METATYPE(Ints)
Q_DECLARE_METATYPE(Chunks)

class ArrayExtensionsTest : public QObject {
    Q_OBJECT
private slots:
    void chunked_data()
    {
        QTest::addColumn<Ints>("input");
        QTest::addColumn<int>("size");
        QTest::addColumn<Chunks>("expected");
        QTest::newRow("last chunk shorter") << Ints { 1, 2, 3, 4, 5 } << 2 << Chunks { { 1, 2 }, { 3, 4 }, { 5 } };
        QTest::newRow("size beyond count") << Ints { 1, 2, 3, 4, 5 } << 10 << Chunks { { 1, 2, 3, 4, 5 } };
        QTest::newRow("exact multiple") << Ints { 1, 2, 3, 4 } << 2 << Chunks { { 1, 2 }, { 3, 4 } };
        QTest::newRow("empty") << Ints {} << 3 << Chunks {};
        QTest::newRow("negative size") << Ints { 1, 2 } << -1 << Chunks {};
        QTest::newRow("zero size") << Ints { 1, 2 } << 0 << Chunks {};
    }
    void chunked()
    {
        QFETCH(Ints, input);
        QFETCH(int, size);
        QFETCH(Chunks, expected);
        QCOMPARE(ArrayExtensions::chunked(input, size), expected);
    }

    void everyNth_data()
    {
        QTest::addColumn<Ints>("input");
        QTest::addColumn<int>("step");
        QTest::addColumn<Ints>("expected");
        QTest::newRow("every second") << Ints { 1, 2, 3, 4, 5 } << 2 << Ints { 1, 3, 5 };
        QTest::newRow("every one") << Ints { 1, 2, 3 } << 1 << Ints { 1, 2, 3 };
        QTest::newRow("negative counts by magnitude") << Ints { 1, 2, 3, 4, 5 } << -2 << Ints { 1, 3, 5 };
        QTest::newRow("step beyond count") << Ints { 1, 2, 3 } << 7 << Ints { 1 };
        QTest::newRow("empty") << Ints {} << 0 << Ints {};
        QTest::newRow("zero step") << Ints { 1, 2 } << 0 << Ints {};
    }
    void everyNth()
    {
        QFETCH(Ints, input);
        QFETCH(int, step);
        QFETCH(Ints, expected);
        QCOMPARE(ArrayExtensions::everyNth(input, step), expected);
    }

    void removeFirstEqual()
    {
        Ints a { 1, 2, 3, 2 };
        QCOMPARE(ArrayExtensions::removeFirstEqual(a, 2), std::optional<int>(2));
        QCOMPARE(a, (Ints { 1, 3, 2 }));
        QVERIFY(!ArrayExtensions::removeFirstEqual(a, 9));
        QCOMPARE(a, (Ints { 1, 3, 2 }));
        QCOMPARE(ArrayExtensions::element(a, 1), 3);
    }

    void simplifiedSeries_data()
    {
        QTest::addColumn<Ints>("input");
        QTest::addColumn<Ints>("expected");
        QTest::newRow("flat keeps the ends") << Ints { 0, 0, 0, 0 } << Ints { 0, 0 };
        QTest::newRow("single value") << Ints { 7 } << Ints { 7 };
        QTest::newRow("empty") << Ints {} << Ints {};
        QTest::newRow("peak kept") << Ints { 0, 0, 10, 0, 0 } << Ints { 0, 10, 0 };
        QTest::newRow("wobble within tolerance dropped") << Ints { 0, 1, 0, 1, 0 } << Ints { 0, 0 };
        // (1, -5) lies 45 / sqrt(2029), just under 1, from the line (0, -5)-(2, -50).
        QTest::newRow("negative values, near point dropped") << Ints { -5, -5, -50, -5 } << Ints { -5, -50, -5 };
        QTest::newRow("values far off the line kept") << Ints { 0, 5, 0, 5, 0 } << Ints { 0, 5, 0, 5, 0 };
    }
    void simplifiedSeries()
    {
        QFETCH(Ints, input);
        QFETCH(Ints, expected);
        QCOMPARE(ArrayExtensions::simplifiedSeries(input), expected);
    }

    void simplifiedSeriesOfReals()
    {
        QCOMPARE(ArrayExtensions::simplifiedSeries(std::vector<double> { 0.5, 0.5, 3.25, 0.5 }),
            (std::vector<double> { 0.5, 3.25, 0.5 }));
        QCOMPARE(ArrayExtensions::simplifiedSeries(std::vector<double> { 0.5, 9.5, 0.25 }),
            (std::vector<double> { 0.5, 9.5, 0.25 }));
        QCOMPARE(ArrayExtensions::simplifiedSeries(std::vector<float> { 1.5f, 1.5f, 1.5f }),
            (std::vector<float> { 1.5f, 1.5f }));
    }

    // The kept elements come back as they are, not rebuilt from doubles.
    void simplifiedSeriesKeepsElementsDoublesCannotHold()
    {
        using Int64s = std::vector<std::int64_t>;
        using UInt64s = std::vector<std::uint64_t>;
        const std::int64_t big = (std::int64_t(1) << 53) + 1;
        QCOMPARE(ArrayExtensions::simplifiedSeries(Int64s { INT64_MAX }), (Int64s { INT64_MAX }));
        QCOMPARE(ArrayExtensions::simplifiedSeries(Int64s { INT64_MIN, INT64_MAX }), (Int64s { INT64_MIN, INT64_MAX }));
        QCOMPARE(ArrayExtensions::simplifiedSeries(UInt64s { UINT64_MAX }), (UInt64s { UINT64_MAX }));
        QCOMPARE(ArrayExtensions::simplifiedSeries(Int64s { big }), (Int64s { big }));
        // The middle lies within the tolerance, so only the ends stay, as the exact input values.
        QCOMPARE(ArrayExtensions::simplifiedSeries(Int64s { big, big - 1, big + 2 }), (Int64s { big, big + 2 }));
    }

    void cgFloatValuesCarrySinglePrecision()
    {
        const auto values
            = ArrayExtensions::cgFloatValues({ platform::Number(0.1), platform::Number(7), platform::Number(true) });
        QCOMPARE(values, (std::vector<double> { double(0.1f), 7.0, 1.0 }));
    }

    void mostRecentlyModified()
    {
        QTemporaryDir dir;
        auto make = [&](const QString &name, qint64 msecs) {
            QFile f(dir.filePath(name));
            f.open(QIODevice::WriteOnly);
            f.write("x");
            f.flush(); // a later flush would set the time anew
            f.setFileTime(QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC), QFileDevice::FileModificationTime);
            return QUrl::fromLocalFile(f.fileName());
        };
        const QUrl old = make("old", 1'000'000'000'000);
        const QUrl recent = make("recent", 1'600'000'000'000);
        const QUrl sameAsRecent = make("same", 1'600'000'000'000);
        const QUrl missing = QUrl::fromLocalFile(dir.filePath("missing"));
        QCOMPARE(
            ArrayExtensions::mostRecentlyModified({ missing, old, recent, sameAsRecent }), std::optional<QUrl>(recent));
        QCOMPARE(ArrayExtensions::mostRecentlyModified({ sameAsRecent, recent }), std::optional<QUrl>(sameAsRecent));
        const QUrl missing2 = QUrl::fromLocalFile(dir.filePath("missing2"));
        QCOMPARE(ArrayExtensions::mostRecentlyModified({ missing, missing2 }), std::optional<QUrl>(missing));
        QVERIFY(!ArrayExtensions::mostRecentlyModified({}));
    }

    void removeAllSublayers()
    {
        auto root = platform::ui::Layer::create();
        auto a = platform::ui::Layer::create();
        auto b = platform::ui::Layer::create();
        auto kept = platform::ui::Layer::create();
        root->addSublayer(a);
        root->addSublayer(b);
        root->addSublayer(kept);
        std::vector<std::shared_ptr<platform::ui::Layer>> list { a, b };
        ArrayExtensions::removeAllSublayers(list);
        QVERIFY(list.empty());
        QCOMPARE(list.capacity(), 0u);
        QCOMPARE(a->superlayer(), nullptr);
        QCOMPARE(b->superlayer(), nullptr);
        QCOMPARE(kept->superlayer(), root.get());
    }

    void clamped_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("upper");
        QTest::addColumn<int>("expected");
        QTest::newRow("above") << 5 << 0 << 3 << 3;
        QTest::newRow("below") << -1 << 0 << 3 << 0;
        QTest::newRow("inside") << 2 << 0 << 3 << 2;
        QTest::newRow("bounds crossed give upper") << 5 << 10 << 3 << 3;
    }
    void clamped()
    {
        QFETCH(int, value);
        QFETCH(int, lower);
        QFETCH(int, upper);
        QFETCH(int, expected);
        QCOMPARE(ComparableExtensions::clamped(value, lower, upper), expected);
    }
};

QTEST_MAIN(ArrayExtensionsTest)
#include "arrayextensions_test.moc"
