#include "dorsk/helperdatamodel.h"
#include "platform/core/plist.h"
#include "platform/core/userdefaults.h"
#include "samplelists.h"

#include <QTemporaryDir>
#include <QTest>

using namespace dorsk;
using dorsktest::encodedDevices;
using platform::UserDefaults;
using platform::Value;

Q_DECLARE_METATYPE(dorsk::SensorDataModelKey)

namespace {
// How many records the list under `key` holds, or empty when it reads as no value.
std::optional<qsizetype> readCount(const IHelperDataModel &model, SensorDataModelKey key)
{
    switch (key) {
    case SensorDataModelKey::sensors:
        if (auto l = model.sensors())
            return l->size();
        break;
    case SensorDataModelKey::fans:
        if (auto l = model.fans())
            return l->size();
        break;
    case SensorDataModelKey::traffic:
        if (auto l = model.traffic())
            return l->size();
        break;
    case SensorDataModelKey::singleBatteryDevices:
        if (auto l = model.singleBatteryDevices())
            return static_cast<qsizetype>(l->size());
        break;
    case SensorDataModelKey::doubleBatteryDevices:
        if (auto l = model.doubleBatteryDevices())
            return static_cast<qsizetype>(l->size());
        break;
    }
    return std::nullopt;
}

void writeEmpty(IHelperDataModel &model, SensorDataModelKey key)
{
    switch (key) {
    case SensorDataModelKey::sensors:
        return model.setSensors({});
    case SensorDataModelKey::fans:
        return model.setFans({});
    case SensorDataModelKey::traffic:
        return model.setTraffic({});
    case SensorDataModelKey::singleBatteryDevices:
        return model.setSingleBatteryDevices({});
    case SensorDataModelKey::doubleBatteryDevices:
        return model.setDoubleBatteryDevices({});
    }
}

// The samples of one list as stored, each element a dictionary.
Value::Array sampleElements(SensorDataModelKey key)
{
    Value::Array array;
    switch (key) {
    case SensorDataModelKey::sensors:
        for (const auto &r : dorsktest::sampleSensors())
            array.push_back(r.encoded());
        break;
    case SensorDataModelKey::fans:
        for (const auto &r : dorsktest::sampleFans())
            array.push_back(r.encoded());
        break;
    case SensorDataModelKey::traffic:
        for (const auto &r : dorsktest::sampleTraffic())
            array.push_back(r.encoded());
        break;
    case SensorDataModelKey::singleBatteryDevices:
        return encodedDevices(dorsktest::sampleSingles());
    case SensorDataModelKey::doubleBatteryDevices:
        return encodedDevices(dorsktest::sampleDoubles());
    }
    return array;
}

// A key every record of the list needs.
QString requiredKey(SensorDataModelKey key)
{
    switch (key) {
    case SensorDataModelKey::sensors:
        return QStringLiteral("Description");
    case SensorDataModelKey::fans:
        return QStringLiteral("rpm");
    case SensorDataModelKey::traffic:
        return QStringLiteral("received");
    case SensorDataModelKey::singleBatteryDevices:
    case SensorDataModelKey::doubleBatteryDevices:
        return QStringLiteral("serial");
    }
    return {};
}

QByteArray binaryList(const Value::Array &elements)
{
    return platform::plist::serialize(Value(elements), platform::plist::Format::Binary);
}
}

class HelperDataModelTest : public QObject {
    Q_OBJECT

    std::optional<platform::ScopedUserDefaultsDirectory> m_directory;

private slots:
    void init() { m_directory.emplace(); }
    void cleanup() { m_directory.reset(); }

    void listsReadBackAsWritten()
    {
        HelperDataModel writer;
        dorsktest::writeSamples(writer);

        // A second model on its own suite object: nothing is cached, the reads go to the store.
        const HelperDataModel reader(UserDefaults::suite(kHelperSuiteName));
        QCOMPARE(reader.sensors(), dorsktest::sampleSensors());
        QCOMPARE(reader.fans(), dorsktest::sampleFans());
        QCOMPARE(reader.traffic(), dorsktest::sampleTraffic());
        QVERIFY(reader.singleBatteryDevices());
        QCOMPARE(encodedDevices(*reader.singleBatteryDevices()), encodedDevices(dorsktest::sampleSingles()));
        QVERIFY(reader.doubleBatteryDevices());
        QCOMPARE(encodedDevices(*reader.doubleBatteryDevices()), encodedDevices(dorsktest::sampleDoubles()));
    }

    void eachListIsOneBinaryPropertyListArray_data()
    {
        QTest::addColumn<SensorDataModelKey>("key");
        for (SensorDataModelKey key : kAllSensorDataModelKeys)
            QTest::newRow(qPrintable(rawValue(key))) << key;
    }

    void eachListIsOneBinaryPropertyListArray()
    {
        QFETCH(SensorDataModelKey, key);
        HelperDataModel model;
        dorsktest::writeSamples(model);
        const std::optional<QByteArray> stored = model.userDefaults()->data(rawValue(key));
        QVERIFY(stored);
        QVERIFY(stored->startsWith("bplist00"));
        QCOMPARE(platform::plist::parse(*stored), Value(sampleElements(key)));

        // Nothing but the five lists lives in the suite.
        QStringList keys;
        for (const auto &[k, _] : model.userDefaults()->dictionaryRepresentation())
            keys << k;
        QCOMPARE(keys, (QStringList { "doubleBatteryDevices", "fans", "sensors", "singleBatteryDevices", "traffic" }));
    }

    void emptyListIsNotNoValue_data() { eachListIsOneBinaryPropertyListArray_data(); }

    void emptyListIsNotNoValue()
    {
        QFETCH(SensorDataModelKey, key);
        HelperDataModel model;
        QCOMPARE(readCount(model, key), std::nullopt);
        writeEmpty(model, key);
        QCOMPARE(readCount(model, key), std::optional<qsizetype>(0));
    }

    void clearRemovesEveryList()
    {
        HelperDataModel model;
        dorsktest::writeSamples(model);
        model.clear();
        for (SensorDataModelKey key : kAllSensorDataModelKeys)
            QCOMPARE(readCount(model, key), std::nullopt);
        QVERIFY(model.userDefaults()->dictionaryRepresentation().empty());
    }

    void unreadableListIsNoValueAndStaysStored_data()
    {
        QTest::addColumn<SensorDataModelKey>("key");
        QTest::addColumn<Value>("stored");
        for (SensorDataModelKey key : kAllSensorDataModelKeys) {
            const QByteArray name = rawValue(key).toLatin1();
            Value::Array broken = sampleElements(key);
            if (broken.size() < 2)
                broken.push_back(broken.front());
            broken[1].toDictionary()->erase(requiredKey(key));
            QTest::addRow("%s: second element lacks a key", name.constData()) << key << Value(binaryList(broken));
            QTest::addRow("%s: a text", name.constData()) << key << Value("bplist00");
            QTest::addRow("%s: a number", name.constData()) << key << Value(3);
            QTest::addRow("%s: an array instead of data", name.constData()) << key << Value(sampleElements(key));
            QTest::addRow("%s: data that is no property list", name.constData())
                << key << Value(QByteArray("not a plist"));
            QTest::addRow("%s: a dictionary property list", name.constData())
                << key << Value(platform::plist::serialize(sampleElements(key).front()));
            QTest::addRow("%s: an element that is no dictionary", name.constData())
                << key << Value(binaryList({ sampleElements(key).front(), Value("x") }));
        }
    }

    void unreadableListIsNoValueAndStaysStored()
    {
        QFETCH(SensorDataModelKey, key);
        QFETCH(Value, stored);
        HelperDataModel model;
        dorsktest::writeSamples(model);
        model.userDefaults()->set(rawValue(key), stored);
        QCOMPARE(readCount(model, key), std::nullopt);
        QCOMPARE(model.userDefaults()->value(rawValue(key)), std::optional<Value>(stored));
        // The other lists are untouched.
        for (SensorDataModelKey other : kAllSensorDataModelKeys) {
            if (other != key)
                QVERIFY(readCount(model, other));
        }
    }

    void withoutSuiteNothingIsReadOrWritten()
    {
        QTemporaryDir dir;
        QFile blocker(dir.path() + "/file");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        // A defaults directory below a plain file cannot be made, so the suite cannot be opened.
        platform::ScopedUserDefaultsDirectory unusable(dir.path() + "/file/defaults");
        HelperDataModel model;
        QVERIFY(!model.userDefaults());
        dorsktest::writeSamples(model);
        model.clear();
        for (SensorDataModelKey key : kAllSensorDataModelKeys)
            QCOMPARE(readCount(model, key), std::nullopt);
        QCOMPARE(QDir(dir.path() + "/file").exists(), false);
    }

    void setValueStoresAsGivenAndNoValueRemoves()
    {
        HelperDataModel model;
        model.setValue(SensorDataModelKey::traffic, Value("raw"));
        QCOMPARE(model.userDefaults()->value("traffic"), std::optional<Value>(Value("raw")));
        model.setValue(SensorDataModelKey::traffic, std::nullopt);
        QCOMPARE(model.userDefaults()->value("traffic"), std::nullopt);
    }

    void keyFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("key"); // -1: none
        QTest::newRow("sensors") << "sensors" << int(SensorDataModelKey::sensors);
        QTest::newRow("fans") << "fans" << int(SensorDataModelKey::fans);
        QTest::newRow("traffic") << "traffic" << int(SensorDataModelKey::traffic);
        QTest::newRow("singleBatteryDevices")
            << "singleBatteryDevices" << int(SensorDataModelKey::singleBatteryDevices);
        QTest::newRow("doubleBatteryDevices")
            << "doubleBatteryDevices" << int(SensorDataModelKey::doubleBatteryDevices);
        QTest::newRow("capital S") << "Sensors" << -1;
        QTest::newRow("padded") << " fans" << -1;
        QTest::newRow("empty") << "" << -1;
    }

    void keyFromText()
    {
        QFETCH(QString, text);
        QFETCH(int, key);
        const std::optional<SensorDataModelKey> found = sensorDataModelKeyFromRawValue(text);
        QCOMPARE(found ? int(*found) : -1, key);
        if (found)
            QCOMPARE(rawValue(*found), text);
    }
};

QTEST_GUILESS_MAIN(HelperDataModelTest)
#include "helperdatamodel_test.moc"
