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
    }

    void fixedFormats()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
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
