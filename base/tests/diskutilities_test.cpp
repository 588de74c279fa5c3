#include "tavrin/diskutilities.h"

#include <QTest>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <limits>

using tavrin::DiskUtilities;

class DiskUtilitiesTest : public QObject {
    Q_OBJECT
private slots:
    // Texts from numbers must not follow the environment's locale: under a German C locale the C
    // library writes "1,50".
    void initTestCase()
    {
        m_previousLocale = std::setlocale(LC_ALL, nullptr);
        QVERIFY(std::setlocale(LC_ALL, "de_DE.UTF-8"));
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%.2f", 1.5);
        QCOMPARE(QByteArray(buffer), QByteArray("1,50"));
    }
    void cleanupTestCase() { std::setlocale(LC_ALL, m_previousLocale.constData()); }

    void byteCount_data()
    {
        QTest::addColumn<quint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << quint64(0) << "0 B";
        QTest::newRow("one") << quint64(1) << "1 B";
        QTest::newRow("ten keeps its zero") << quint64(10) << "10 B";
        QTest::newRow("thousand bytes") << quint64(1000) << "1000 B";
        QTest::newRow("largest byte count") << quint64(1023) << "1023 B";
        QTest::newRow("one kilobyte") << quint64(1024) << "1 KB";
        QTest::newRow("one and a half") << quint64(1536) << "1.5 KB";
        QTest::newRow("two decimals") << quint64(1280 + 10) << "1.26 KB";
        QTest::newRow("10 KB keeps its zero") << quint64(10240) << "10 KB";
        QTest::newRow("below a megabyte rounds to 1024") << quint64(1048575) << "1024 KB";
        QTest::newRow("one megabyte") << quint64(1048576) << "1 MB";
        QTest::newRow("megabytes with one decimal") << quint64(1572864) << "1.5 MB";
        QTest::newRow("one decimal rounds to whole") << quint64(1100000) << "1 MB";
        QTest::newRow("below a gigabyte") << quint64(1073741823) << "1024 MB";
        QTest::newRow("one gigabyte") << quint64(1073741824) << "1 GB";
        QTest::newRow("eight gigabytes") << quint64(8589934592) << "8 GB";
        QTest::newRow("terabytes") << (quint64(3) << 39) << "1.5 TB";
        QTest::newRow("petabytes") << (quint64(1) << 50) << "1 PB";
        QTest::newRow("exabytes") << (quint64(5) << 59) << "2.5 EB";
        QTest::newRow("largest count") << std::numeric_limits<quint64>::max() << "16 EB";
        // Exact ties round to even, as C's formatting does.
        QTest::newRow("kilobyte tie down") << quint64(1152) << "1.12 KB";
        QTest::newRow("kilobyte tie up") << quint64(1408) << "1.38 KB";
        QTest::newRow("one-decimal megabyte tie") << quint64(1310720) << "1.2 MB";
        QTest::newRow("gigabyte tie") << quint64(1207959552) << "1.12 GB";
    }

    void byteCount()
    {
        QFETCH(quint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(DiskUtilities::byteCountString(bytes), text);
    }

    void rates_data()
    {
        QTest::addColumn<quint64>("rate");
        QTest::addColumn<bool>("bits");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("integer");
        QTest::newRow("bits, below a kilobit") << quint64(124) << true << "992 b/s"
                                               << "992 b/s";
        QTest::newRow("bits, one kilobit") << quint64(125) << true << "1 Kb/s"
                                           << "1 Kb/s";
        QTest::newRow("bits, kilobits truncated") << quint64(124999) << true << "999 Kb/s"
                                                  << "999 Kb/s";
        QTest::newRow("bits, megabits") << quint64(1031250) << true << "8.25 Mb/s"
                                        << "8 Mb/s";
        QTest::newRow("bits, last megabit step") << quint64(124999999) << true << "1000.00 Mb/s"
                                                 << "999 Mb/s";
        QTest::newRow("bits, gigabits") << quint64(125000000) << true << "1.00 Gb/s"
                                        << "1 Gb/s";
        QTest::newRow("bits, just below 10^12") << quint64(124999999999) << true << "1000.00 Gb/s"
                                                << "999 Gb/s";
        QTest::newRow("bits, 10^12 cut off") << quint64(125000000000) << true << "0 b/s"
                                             << "1000 Gb/s";
        // 8 × (2^61 + 1) wraps to 8 in 64 bits; the rate is still far beyond every step.
        QTest::newRow("bits, beyond 64-bit bits") << (quint64(1) << 61) + 1 << true << "0 b/s"
                                                  << "18446744073 Gb/s";
        QTest::newRow("bytes") << quint64(1023) << false << "1023 B/s"
                               << "1023 B/s";
        QTest::newRow("kilobytes") << quint64(524288) << false << "512 KB/s"
                                   << "512 KB/s";
        QTest::newRow("kilobytes truncated") << quint64(1048575) << false << "1023 KB/s"
                                             << "1023 KB/s";
        QTest::newRow("one megabyte keeps zeros") << quint64(1048576) << false << "1.00 MB/s"
                                                  << "1 MB/s";
        QTest::newRow("megabytes") << quint64(2621440) << false << "2.50 MB/s"
                                   << "2 MB/s";
        QTest::newRow("gigabytes in both") << quint64(1610612736) << false << "1.50 GB/s"
                                           << "1.50 GB/s";
        // Exact ties round to even.
        QTest::newRow("megabyte tie") << quint64(1179648) << false << "1.12 MB/s"
                                      << "1 MB/s";
        QTest::newRow("gigabyte tie") << quint64(1207959552) << false << "1.12 GB/s"
                                      << "1.12 GB/s";
        QTest::newRow("bits, megabit tie") << quint64(140625) << true << "1.12 Mb/s"
                                           << "1 Mb/s";
        QTest::newRow("bits, gigabit tie") << quint64(140625000) << true << "1.12 Gb/s"
                                           << "1 Gb/s";
    }

    void rates()
    {
        QFETCH(quint64, rate);
        QFETCH(bool, bits);
        QFETCH(QString, text);
        QFETCH(QString, integer);
        QCOMPARE(DiskUtilities::transferRateString(rate, bits), text);
        QCOMPARE(DiskUtilities::transferRateIntegerString(rate, bits), integer);
    }

    void ratesOverTime_data()
    {
        QTest::addColumn<quint64>("bytes");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("half a second doubles") << quint64(1000) << 0.5 << "1 KB/s";
        QTest::newRow("truncated to whole bytes") << quint64(1000) << 3.0 << "333 B/s";
        QTest::newRow("zero seconds") << quint64(1000) << 0.0 << "-";
        QTest::newRow("negative seconds") << quint64(1000) << -1.0 << "-";
        QTest::newRow("NaN seconds") << quint64(1000) << std::numeric_limits<double>::quiet_NaN() << "-";
        QTest::newRow("rate beyond 64 bits") << std::numeric_limits<quint64>::max() << 1e-12 << "-";
    }

    void ratesOverTime()
    {
        QFETCH(quint64, bytes);
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(DiskUtilities::transferRateString(bytes, seconds, false), text);
        QCOMPARE(DiskUtilities::transferRateIntegerString(bytes, seconds, false), text);
    }

    void ratesOverTimeKeepTheBitsFlag()
    {
        QCOMPARE(DiskUtilities::transferRateString(250, 2.0, true), QStringLiteral("1 Kb/s"));
        QCOMPARE(DiskUtilities::transferRateIntegerString(3000000, 2.0, true), QStringLiteral("12 Mb/s"));
    }

private:
    QByteArray m_previousLocale;
};

QTEST_GUILESS_MAIN(DiskUtilitiesTest)
#include "diskutilities_test.moc"
