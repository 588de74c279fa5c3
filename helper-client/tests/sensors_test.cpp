#include "dorsk/sensors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using dorsk::Sensor;
using dorsk::SensorCatalogues;
using dorsk::Sensors;
using dorsk::SensorType;

Q_DECLARE_METATYPE(dorsk::SensorType)

namespace {
const QString kFixture = QStringLiteral(QUENBY_TEST_DATA "/Catalogues.bundle");

QStringList identifiers(const QList<Sensor> &sensors)
{
    QStringList ids;
    for (const Sensor &s : sensors)
        ids << s.identifier;
    return ids;
}

bool copyFixture(const QString &to)
{
    for (const QString &name : QDir(kFixture).entryList(QDir::Files)) {
        if (!QFile::copy(kFixture + u'/' + name, to + u'/' + name))
            return false;
    }
    return true;
}
}

class SensorsTest : public QObject {
    Q_OBJECT
private slots:
    void missingAndMalformedCataloguesAreEmpty()
    {
        const SensorCatalogues catalogues(platform::Bundle(kFixture, kFixture));
        QCOMPARE(identifiers(catalogues.temperatures()), (QStringList { "TC0P", "TB0T" }));
        QCOMPARE(catalogues.temperatures().at(1).value, std::optional<double>(31.5));
        QCOMPARE(identifiers(catalogues.voltages()), QStringList { "VC0C" });
        QCOMPARE(catalogues.currents().size(), 0); // one element lacks its description
        QCOMPARE(catalogues.powers().size(), 0); // no such file
        QCOMPARE(identifiers(catalogues.all()), (QStringList { "TC0P", "TB0T", "VC0C" }));
    }

    void contentsAreReadAnewButLocationsOnce()
    {
        QTemporaryDir dir;
        QVERIFY(copyFixture(dir.path()));
        const SensorCatalogues catalogues(platform::Bundle(dir.path(), dir.path()));

        QFile voltages(dir.path() + "/Voltages.json");
        QVERIFY(voltages.open(QIODevice::WriteOnly | QIODevice::Truncate));
        voltages.write("[{\"Identifier\": \"VD0R\", \"Description\": \"DC In\"},"
                       " {\"Identifier\": \"VC0C\", \"Description\": \"CPU Core\"}]");
        voltages.close();
        QCOMPARE(identifiers(catalogues.voltages()), (QStringList { "VD0R", "VC0C" }));

        // A catalogue that was missing when the catalogues were made stays missing.
        QVERIFY(QFile::copy(dir.path() + "/Voltages.json", dir.path() + "/Powers.json"));
        QCOMPARE(catalogues.powers().size(), 0);
    }

    void shippedCataloguesHoldTheirKinds_data()
    {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<SensorType>("type");
        QTest::newRow("temperatures") << "temperatures" << SensorType::thermal;
        QTest::newRow("voltages") << "voltages" << SensorType::voltage;
        QTest::newRow("currents") << "currents" << SensorType::current;
        QTest::newRow("powers") << "powers" << SensorType::power;
    }

    void shippedCataloguesHoldTheirKinds()
    {
        QFETCH(QString, catalogue);
        QFETCH(SensorType, type);
        QList<Sensor> sensors;
        if (catalogue == QLatin1String("temperatures"))
            sensors = Sensors::temperatures();
        else if (catalogue == QLatin1String("voltages"))
            sensors = Sensors::voltages();
        else if (catalogue == QLatin1String("currents"))
            sensors = Sensors::currents();
        else
            sensors = Sensors::powers();
        QVERIFY(!sensors.isEmpty());
        for (const Sensor &s : sensors) {
            QVERIFY2(s.type() == type, qPrintable(s.identifier));
            QVERIFY(!s.description.isEmpty());
        }
    }

    void allIsTheFourInOrder()
    {
        QCOMPARE(
            Sensors::all(), Sensors::temperatures() + Sensors::voltages() + Sensors::currents() + Sensors::powers());
    }
};

QTEST_GUILESS_MAIN(SensorsTest)
#include "sensors_test.moc"
