#include "tavrin/ramerdouglaspeucker.h"

#include <QTest>

#include <limits>

using tavrin::Point;
using tavrin::RamerDouglasPeucker;

using Points = QList<Point>;
Q_DECLARE_METATYPE(Points)

namespace {
QString describe(const Points &points)
{
    QStringList parts;
    for (const Point &p : points)
        parts << p.description();
    return parts.join(QLatin1Char(' '));
}
}

class RamerDouglasPeuckerTest : public QObject {
    Q_OBJECT
private slots:
    void description_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole numbers get a fraction") << 1.0 << 2.0 << "(1.0, 2.0)";
        QTest::newRow("negative and zero") << -3.25 << 0.0 << "(-3.25, 0.0)";
        QTest::newRow("shortest form that reads back") << 0.1 << 2.5 << "(0.1, 2.5)";
        QTest::newRow("thirds keep every digit") << 1.0 / 3.0 << -1.0 << "(0.3333333333333333, -1.0)";
    }

    void description()
    {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(QString, text);
        QCOMPARE(Point(x, y).description(), text);
    }

    // The description is the shortest text that reads back to the very same coordinates.
    void descriptionReadsBack_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("zero") << 0.0;
        QTest::newRow("a sum that is not 0.3") << 0.1 + 0.2;
        QTest::newRow("seventeen digits") << 0.30000000000000004;
        QTest::newRow("tiny") << 5e-324;
        QTest::newRow("small") << 1.2345e-7;
        QTest::newRow("largest") << std::numeric_limits<double>::max();
        QTest::newRow("beyond integers") << 9007199254740993.0;
        QTest::newRow("negative third") << -1.0 / 3.0;
    }
    void descriptionReadsBack()
    {
        QFETCH(double, value);
        const QString text = Point(value, -value).description();
        QVERIFY2(text.startsWith(QLatin1Char('(')) && text.endsWith(QLatin1Char(')')), qPrintable(text));
        const QStringList parts = text.mid(1, text.size() - 2).split(QStringLiteral(", "));
        QCOMPARE(parts.size(), 2);
        for (const QString &part : parts) {
            QVERIFY2(part.contains(QLatin1Char('.')) || part.contains(QLatin1Char('e')), qPrintable(text));
            QVERIFY2(!part.contains(QLatin1Char(',')), qPrintable(text));
        }
        // Exact comparison: QCOMPARE of doubles would forgive the last digits.
        bool ok = false;
        QVERIFY2(parts[0].toDouble(&ok) == value && ok, qPrintable(text));
        QVERIFY2(parts[1].toDouble(&ok) == -value && ok, qPrintable(text));
        QCOMPARE(Point().description(), QStringLiteral("(0.0, 0.0)"));
    }

    void simplify_data()
    {
        QTest::addColumn<Points>("points");
        QTest::addColumn<double>("epsilon");
        QTest::addColumn<Points>("expected");
        const Points line { { 0, 0 }, { 1, 1 }, { 2, 2 }, { 3, 3 } };
        QTest::newRow("empty") << Points {} << 1.0 << Points {};
        QTest::newRow("single point") << Points { { 4, 5 } } << 1.0 << Points { { 4, 5 } };
        QTest::newRow("two points") << Points { { 0, 0 }, { 9, 9 } } << 1.0 << Points { { 0, 0 }, { 9, 9 } };
        QTest::newRow("collinear collapse even at epsilon 0") << line << 0.0 << Points { { 0, 0 }, { 3, 3 } };
        QTest::newRow("negative epsilon gives nothing") << line << -1.0 << Points {};
        QTest::newRow("NaN epsilon gives nothing") << line << std::numeric_limits<double>::quiet_NaN() << Points {};
        // (1, 1) lies exactly 1 from the line y = 0 through the ends.
        QTest::newRow("distance equal to epsilon is dropped")
            << Points { { 0, 0 }, { 1, 1 }, { 2, 0 } } << 1.0 << Points { { 0, 0 }, { 2, 0 } };
        QTest::newRow("distance above epsilon is kept")
            << Points { { 0, 0 }, { 1, 1 }, { 2, 0 } } << 0.999 << Points { { 0, 0 }, { 1, 1 }, { 2, 0 } };
        QTest::newRow("epsilon 0 keeps any bend")
            << Points { { 0, 0 }, { 1, 1e-9 }, { 2, 0 } } << 0.0 << Points { { 0, 0 }, { 1, 1e-9 }, { 2, 0 } };
        // Distance to the infinite line, not the segment: (10, 0) is on the line's extension.
        QTest::newRow("point beyond the segment on its line is dropped")
            << Points { { 0, 0 }, { 10, 0 }, { 2, 0 } } << 0.5 << Points { { 0, 0 }, { 2, 0 } };
        QTest::newRow("closed loop keeps only its ends")
            << Points { { 0, 0 }, { 5, 0 }, { 5, 5 }, { 0, 5 }, { 0, 0 } } << 1.0 << Points { { 0, 0 }, { 0, 0 } };
        // Split at (2, 3), then each side again: the peak and both valleys survive in input order.
        QTest::newRow("recursive split keeps shape in order") << Points { { 0, 0 }, { 1, 1.5 }, { 2, 3 }, { 3, 0.1 },
            { 4, -2 }, { 5, 0 } } << 0.5 << Points { { 0, 0 }, { 2, 3 }, { 4, -2 }, { 5, 0 } };
        // Two points equally far: the first one splits, and the second then lies within 0.45 of the
        // new chord (splitting at the second would keep it and drop the first instead).
        QTest::newRow("ties go to the first index")
            << Points { { 0, 0 }, { 1, 1 }, { 2, 1 }, { 3, 0 } } << 0.5 << Points { { 0, 0 }, { 1, 1 }, { 3, 0 } };
    }

    void simplify()
    {
        QFETCH(Points, points);
        QFETCH(double, epsilon);
        QFETCH(Points, expected);
        QCOMPARE(describe(RamerDouglasPeucker::simplify(points, epsilon)), describe(expected));
    }

    void rangeAppendsAfterWhatIsThere()
    {
        const Points points { { 0, 0 }, { 1, 5 }, { 2, 0 }, { 3, 0 } };
        Points result { { -1, -1 } };
        RamerDouglasPeucker::simplifyRange(1, 3, points, result, 0.1);
        QCOMPARE(describe(result), describe({ { -1, -1 }, { 2, 0 }, { 3, 0 } }));
    }

    void rangeOutsideTheListAppendsNothing()
    {
        const Points points { { 0, 0 }, { 1, 5 } };
        Points result;
        RamerDouglasPeucker::simplifyRange(0, 2, points, result, 0.1);
        RamerDouglasPeucker::simplifyRange(-1, 1, points, result, 0.1);
        QVERIFY(result.isEmpty());
    }
};

QTEST_GUILESS_MAIN(RamerDouglasPeuckerTest)
#include "ramerdouglaspeucker_test.moc"
