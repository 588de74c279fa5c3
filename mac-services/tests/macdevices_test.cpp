#include "olvane/macdevices.h"
#include "platform/core/coding.h"
#include "platform/core/plist.h"
#include "platform/desktop/memoryworkspace.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using olvane::MacDevice;
using olvane::MacDevices;
using platform::Value;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

Value declaration(const QString &identifier, const Value &codes)
{
    Value::Dictionary tags { { QStringLiteral("com.apple.device-model-code"), codes } };
    Value::Dictionary result { { QStringLiteral("UTTypeTagSpecification"), Value(tags) } };
    if (!identifier.isEmpty())
        result.insert({ QStringLiteral("UTTypeIdentifier"), Value(identifier) });
    return Value(result);
}

void writeDeclarations(const QString &path, const Value::Array &declarations)
{
    const Value root(Value::Dictionary { { QStringLiteral("UTExportedTypeDeclarations"), Value(declarations) } });
    writeFile(path, platform::plist::serialize(root, platform::plist::Format::Xml));
}

} // namespace

class MacDevicesTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        MacDevices::setTablePath({});
        MacDevices::setCoreTypesFolder({});
    }

    void bundledTableDecodes()
    {
        const QList<MacDevice> table = MacDevices::devices();
        QVERIFY(table.size() > 10);
        QCOMPARE(MacDevices::device(QStringLiteral("MacBookPro18,3"))->description,
            QStringLiteral("MacBook Pro (14-inch, 2021)"));
    }

    void coding()
    {
        const MacDevice device { QStringLiteral("Mac13,1"), QStringLiteral("Mac Studio") };
        QCOMPARE(MacDevice::decode(device.encoded()), device);
        QVERIFY_THROWS_EXCEPTION(platform::DecodingError,
            MacDevice::decode(Value(Value::Dictionary { { QStringLiteral("model"), Value("Mac13,1") } })));
        QVERIFY_THROWS_EXCEPTION(platform::DecodingError,
            MacDevice::decode(Value(Value::Dictionary {
                { QStringLiteral("model"), Value(13) }, { QStringLiteral("description"), Value("x") } })));
    }

    void brokenTablesAreEmpty_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not JSON") << QByteArray("[{\"model\": ");
        QTest::newRow("not an array") << QByteArray("{\"model\": \"A1,1\", \"description\": \"a\"}");
        QTest::newRow("a row without description")
            << QByteArray("[{\"model\": \"A1,1\", \"description\": \"a\"}, {\"model\": \"B1,1\"}]");
        QTest::newRow("missing file") << QByteArray();
    }

    void brokenTablesAreEmpty()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath("table.json");
        if (!content.isEmpty())
            writeFile(path, content);
        MacDevices::setTablePath(path);
        QVERIFY(MacDevices::devices().isEmpty());
        QCOMPARE(MacDevices::device(QStringLiteral("A1,1")), std::optional<MacDevice>());
    }

    void lookupsAreCachedOnlyWhenFound()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("table.json");
        writeFile(path,
            "[{\"model\": \"Test1,1\", \"description\": \"first\"}, {\"model\": \"Test1,1\", \"description\": "
            "\"second\"},"
            " {\"model\": \"test2,1\", \"description\": \"lower\"}]");
        MacDevices::setTablePath(path);

        QCOMPARE(MacDevices::device(QStringLiteral("Test1,1"))->description, QStringLiteral("first"));
        QCOMPARE(MacDevices::device(QStringLiteral("Test2,1")), std::optional<MacDevice>()); // exact case

        writeFile(path,
            "[{\"model\": \"Test1,1\", \"description\": \"changed\"}, {\"model\": \"Test2,1\", \"description\": "
            "\"new\"}]");
        QCOMPARE(MacDevices::device(QStringLiteral("Test1,1"))->description, QStringLiteral("first"));
        QCOMPARE(MacDevices::device(QStringLiteral("Test2,1"))->description, QStringLiteral("new"));
    }

    void icons_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QStringList>("requests");
        QTest::newRow("exact form") << "Mac14,2" << QStringList { "type:com.example.mac14-2" };
        QTest::newRow("before the comma") << "Mac14,9" << QStringList { "type:com.example.mac14" };
        QTest::newRow("without digits") << "MacBookPro18,3" << QStringList { "type:com.example.macbookpro" };
        QTest::newRow("array element") << "iMac21,2" << QStringList { "type:com.example.imac-24" };
        QTest::newRow("no type identifier: next declaration")
            << "Orphan1,1" << QStringList { "type:com.example.later" };
        QTest::newRow("nothing declared") << "Nothing9,9" << QStringList();
    }

    void icons()
    {
        QFETCH(QString, model);
        QFETCH(QStringList, requests);
        QTemporaryDir dir;
        writeDeclarations(dir.filePath("Info.plist"),
            { declaration("com.example.mac14-2", Value("Mac14,2")), declaration("com.example.mac14", Value("Mac14")),
                declaration("com.example.macbookpro", Value("MacBookPro")), declaration("", Value("Orphan1,1")) });
        writeDeclarations(dir.filePath("Library/Types.bundle/Contents/Info.plist"),
            { declaration("com.example.imac-24", Value(Value::Array { Value("iMac21,1"), Value("iMac21,2") })),
                declaration("com.example.later", Value("Orphan1,1")) });
        writeDeclarations(
            dir.filePath(".hidden/Info.plist"), { declaration("com.example.hidden", Value("Nothing9,9")) });
        writeFile(dir.filePath("Broken.plist"), "<plist><dict>");
        writeFile(dir.filePath("Other.plist"), platform::plist::serialize(Value(Value::Array { Value(1) })));
        MacDevices::setCoreTypesFolder(dir.path());
        platform::MemoryWorkspace workspace;
        platform::ScopedWorkspace guard(workspace);

        QCOMPARE(MacDevices::icon(model).has_value(), !requests.isEmpty());
        QCOMPARE(workspace.iconRequests(), requests);
    }
};

QTEST_MAIN(MacDevicesTest)
#include "macdevices_test.moc"
