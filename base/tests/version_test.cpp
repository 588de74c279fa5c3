#include "tavrin/version.h"

#include <QTest>

using tavrin::Version;

class VersionTest : public QObject {
    Q_OBJECT
private slots:
    // Every operator is checked on every row, so a row also catches an operator built on the wrong one.
    void ordering_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<int>("order"); // -1 left older, 0 same, 1 left newer
        QTest::newRow("longer text is newer") << "1.2"
                                              << "1.2.0" << -1;
        QTest::newRow("numbers by value") << "1.10"
                                          << "1.9" << 1;
        QTest::newRow("leading number by value") << "2.0"
                                                 << "10.0" << -1;
        QTest::newRow("equal texts") << "1.2"
                                     << "1.2" << 0;
        QTest::newRow("suffix letter") << "1.2"
                                       << "1.2b" << -1;
        QTest::newRow("upper case before lower case") << "1.2.A"
                                                      << "1.2.a" << -1;
        QTest::newRow("patch by value") << "2.0.10"
                                        << "2.0.9" << 1;
        QTest::newRow("empty is older than anything") << ""
                                                      << "0" << -1;
        QTest::newRow("empty equals empty") << ""
                                            << "" << 0;
        QTest::newRow("spaces compare as characters") << "1 2"
                                                      << "1.2" << -1;
        QTest::newRow("digits beyond 64 bits") << "1.99999999999999999999999"
                                               << "1.100000000000000000000000" << -1;
        QTest::newRow("leading zeros do not count") << "1.02"
                                                    << "1.2" << 0;
        QTest::newRow("digit against letter by character") << "1.2"
                                                           << "1.a" << -1;
    }

    void ordering()
    {
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(int, order);
        const Version l(left);
        const Version r(right);
        QCOMPARE(l == r, order == 0);
        QCOMPARE(l < r, order < 0);
        QCOMPARE(l > r, order > 0);
        QCOMPARE(l <= r, order <= 0);
        QCOMPARE(l >= r, order >= 0);
        QCOMPARE(Version::isGreater(l, r), order > 0);
        // The same pair the other way round.
        QCOMPARE(r<l, order> 0);
        QCOMPARE(r > l, order < 0);
    }
};

QTEST_APPLESS_MAIN(VersionTest)
#include "version_test.moc"
