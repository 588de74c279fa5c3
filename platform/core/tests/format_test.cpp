#include "platform/core/format.h"
#include "platform/core/uuid.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <clocale>
#include <cstdio>

using platform::format;

// Under a German locale the C library writes "1,50"; fixed-format texts must not.
class FormatTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_previous = std::setlocale(LC_ALL, nullptr);
        QVERIFY(std::setlocale(LC_ALL, "de_DE.UTF-8"));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%.2f", 1.5);
        QCOMPARE(QByteArray(buffer), QByteArray("1,50")); // the locale really is German
    }

    void cleanupTestCase()
    {
        std::setlocale(LC_ALL, m_previous.constData());
        QLocale::setDefault(QLocale::c());
    }

    void fixedFormats_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two decimals") << format("%.2f", 1.5) << "1.50";
        QTest::newRow("percent") << format("%d%%", 42) << "42%";
        QTest::newRow("long with space percent") << format("%ld %%", 42L) << "42 %";
        QTest::newRow("unsigned long") << format("%lu", 18446744073709551615UL) << "18446744073709551615";
        QTest::newRow("no grouping") << format("%.1f", 1234567.5) << "1234567.5";
        QTest::newRow("negative") << format("%.1f", -0.5) << "-0.5";
        QTest::newRow("shortest real") << format("%g", 0.25) << "0.25";
        QTest::newRow("width and padding") << format("%03d|%5.1f", 7, 2.5) << "007|  2.5";
        QTest::newRow("utf-8 text") << format("%s: %d", "Grüße", 3) << QStringLiteral("Grüße: 3");
        // Exact binary ties round to even, as the C library does.
        QTest::newRow("tie down to even") << format("%.2f", 1.125) << "1.12";
        QTest::newRow("tie up to even") << format("%.2f", 1.375) << "1.38";
        QTest::newRow("one-decimal tie down") << format("%.1f", 1.25) << "1.2";
        QTest::newRow("one-decimal tie up") << format("%.1f", 1.75) << "1.8";
        QTest::newRow("whole tie") << format("%.0f", 2.5) << "2";
        QTest::newRow("negative tie") << format("%.2f", -1.125) << "-1.12";
        QTest::newRow("not a tie in binary") << format("%.2f", 1.005) << "1.00"; // 1.00499999...
        QTest::newRow("watts tie") << format("%.2f W", 10.125) << "10.12 W";
        QTest::newRow("volts tie") << format("%.3f V", 12.0625) << "12.062 V";
    }

    void fixedFormats()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    // Other threads keep their own locale while one formats.
    void theCallersLocaleIsRestored()
    {
        format("%.2f", 1.5);
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%.2f", 1.5);
        QCOMPARE(QByteArray(buffer), QByteArray("1,50"));
    }

    void uuidStrings()
    {
        static const QRegularExpression shape("^[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}$");
        QSet<QString> seen;
        for (int i = 0; i < 200; ++i) {
            const QString id = platform::uuidString();
            QVERIFY2(shape.match(id).hasMatch(), qPrintable(id));
            seen.insert(id);
        }
        QCOMPARE(seen.size(), 200);
    }

private:
    QByteArray m_previous;
};

QTEST_GUILESS_MAIN(FormatTest)
#include "format_test.moc"
