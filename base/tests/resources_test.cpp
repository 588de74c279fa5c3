#include "tavrin/resources.h"

#include <QTest>

using platform::Bundle;

class ResourcesTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Bundle::setPreferredLanguages({}); }

    void localizedTexts_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("english") << "en"
                                 << "YES"
                                 << "Yes";
        QTest::newRow("german") << "de"
                                << "YES"
                                << "Ja";
        QTest::newRow("german no") << "de"
                                   << "NO"
                                   << "Nein";
        QTest::newRow("missing key in english") << "en"
                                                << "NO_SUCH_KEY"
                                                << "NO_SUCH_KEY";
        QTest::newRow("missing key in german") << "de"
                                               << "NO_SUCH_KEY"
                                               << "NO_SUCH_KEY";
    }

    void localizedTexts()
    {
        QFETCH(QString, language);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        Bundle::setPreferredLanguages({ language });
        QCOMPARE(tavrin::localized(key), expected);
    }

    void bundleIsFoundOnceBesideTheProgram()
    {
        const Bundle &bundle = tavrin::moduleBundle();
        QVERIFY(bundle.path().endsWith("/Tavrin_Tavrin.bundle"));
        QCOMPARE(&tavrin::moduleBundle(), &bundle);
    }
};

QTEST_GUILESS_MAIN(ResourcesTest)
#include "resources_test.moc"
