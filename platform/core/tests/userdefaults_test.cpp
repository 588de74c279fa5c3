#include "platform/core/clock.h"
#include "platform/core/plist.h"
#include "platform/core/userdefaults.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

using platform::ScopedUserDefaultsDirectory;
using platform::UserDefaults;
using platform::Value;

namespace {
const QString kHelper = QStringLiteral(QUENBY_BIN_DIR "/platform_core_helper");
const QString kSuite = QStringLiteral("group.example.shared");

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Runs the helper program as a second process on the same defaults directory.
QString helper(const QStringList &args)
{
    QProcess p;
    p.start(kHelper, args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QStringLiteral("<helper failed: %1>").arg(QString::fromUtf8(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}
}

class UserDefaultsTest : public QObject {
    Q_OBJECT
private slots:
    void valuesSurviveANewObject_data()
    {
        QTest::addColumn<Value>("value");
        QTest::newRow("bool") << Value(true);
        QTest::newRow("integer") << Value(-7);
        QTest::newRow("large integer") << Value(9007199254740993LL);
        QTest::newRow("real") << Value(0.1);
        QTest::newRow("text") << Value(QStringLiteral("Grüße <&>"));
        QTest::newRow("data") << Value(QByteArray("\x00\xff", 2));
        QTest::newRow("date") << Value(QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC));
        QTest::newRow("array") << Value(Value::Array { Value("a"), Value(2) });
        QTest::newRow("dictionary") << Value(Value::Dictionary { { "k", Value(false) } });
    }

    void valuesSurviveANewObject()
    {
        QFETCH(Value, value);
        ScopedUserDefaultsDirectory dir;
        UserDefaults("domain").set("key", value);
        // A fresh object knows nothing but the file.
        QCOMPARE(UserDefaults("domain").value("key"), std::optional<Value>(value));
    }

    void fileIsAnXmlPropertyListNamedAfterTheDomain()
    {
        ScopedUserDefaultsDirectory dir;
        UserDefaults defaults("com.example.app");
        defaults.set("QuenbyThreshold", Value(20));
        QCOMPARE(defaults.filePath(), dir.path() + "/com.example.app.plist");
        const QByteArray bytes = readFile(defaults.filePath());
        QVERIFY(bytes.startsWith("<?xml"));
        QCOMPARE(platform::plist::parse(bytes), Value(Value::Dictionary { { "QuenbyThreshold", Value(20) } }));
        // Nothing but the domain's file is left behind by the atomic write.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { "com.example.app.plist" });
    }

    void removeAndNull()
    {
        ScopedUserDefaultsDirectory dir;
        UserDefaults defaults("d");
        defaults.set("a", Value(1));
        defaults.set("b", Value(2));
        defaults.remove("a");
        defaults.set("b", Value());
        QVERIFY(!defaults.value("a"));
        QVERIFY(!defaults.value("b"));
        QVERIFY(UserDefaults("d").dictionaryRepresentation().empty());
    }

    void typedReads_data()
    {
        QTest::addColumn<Value>("stored"); // null: the key is absent
        QTest::addColumn<bool>("boolean");
        QTest::addColumn<qint64>("integer");
        QTest::addColumn<double>("real");
        QTest::addColumn<QString>("string"); // null: no text

        QTest::newRow("absent") << Value() << false << qint64(0) << 0.0 << QString();
        QTest::newRow("true") << Value(true) << true << qint64(1) << 1.0 << QString();
        QTest::newRow("false") << Value(false) << false << qint64(0) << 0.0 << QString();
        QTest::newRow("integer") << Value(25) << true << qint64(25) << 25.0 << "25";
        QTest::newRow("zero") << Value(0) << false << qint64(0) << 0.0 << "0";
        QTest::newRow("real truncates") << Value(-2.75) << true << qint64(-2) << -2.75 << "-2.75";
        QTest::newRow("text YES") << Value("YES") << true << qint64(0) << 0.0 << "YES";
        QTest::newRow("text true") << Value("true") << true << qint64(0) << 0.0 << "true";
        QTest::newRow("text number") << Value("42") << false << qint64(42) << 42.0 << "42";
        QTest::newRow("text one") << Value("1") << true << qint64(1) << 1.0 << "1";
        QTest::newRow("text other") << Value("maybe") << false << qint64(0) << 0.0 << "maybe";
        QTest::newRow("data") << Value(QByteArray("1")) << false << qint64(0) << 0.0 << QString();
        QTest::newRow("array") << Value(Value::Array { Value(1) }) << false << qint64(0) << 0.0 << QString();
    }

    void typedReads()
    {
        QFETCH(Value, stored);
        QFETCH(bool, boolean);
        QFETCH(qint64, integer);
        QFETCH(double, real);
        QFETCH(QString, string);
        ScopedUserDefaultsDirectory dir;
        UserDefaults defaults("d");
        defaults.set("k", stored);
        QCOMPARE(defaults.boolean("k"), boolean);
        QCOMPARE(defaults.integer("k"), integer);
        QCOMPARE(defaults.real("k"), real);
        QCOMPARE(defaults.string("k").value_or(QString()), string);
        QCOMPARE(defaults.string("k").has_value(), !string.isNull());
    }

    void collectionReads()
    {
        ScopedUserDefaultsDirectory dir;
        UserDefaults defaults("d");
        defaults.set("names", Value(Value::Array { Value("a"), Value("b") }));
        defaults.set("mixed", Value(Value::Array { Value("a"), Value(1) }));
        defaults.set("dict", Value(Value::Dictionary { { "x", Value(1) } }));
        defaults.set("data", Value(QByteArray("bytes")));
        QCOMPARE(defaults.stringArray("names"), std::optional<QStringList>(QStringList { "a", "b" }));
        QVERIFY(!defaults.stringArray("mixed"));
        QCOMPARE(defaults.array("mixed")->size(), size_t(2));
        QVERIFY(!defaults.array("dict"));
        QCOMPARE(defaults.dictionary("dict")->at("x"), Value(1));
        QVERIFY(!defaults.dictionary("names"));
        QCOMPARE(defaults.data("data"), std::optional<QByteArray>("bytes"));
        QVERIFY(!defaults.data("names"));
    }

    void corruptFileIsMovedAside_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("garbage") << QByteArray("this is not a property list");
        QTest::newRow("truncated") << QByteArray("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a</key>");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("array at the top")
            << platform::plist::serialize(Value(Value::Array { Value(1) }), platform::plist::Format::Xml);
    }

    void corruptFileIsMovedAside()
    {
        QFETCH(QByteArray, contents);
        ScopedUserDefaultsDirectory dir;
        platform::ManualClock clock;
        platform::ScopedClock scopedClock(clock);
        UserDefaults defaults("broken");
        QVERIFY(writeFile(defaults.filePath(), contents));

        QVERIFY(!defaults.value("a"));
        QVERIFY(defaults.dictionaryRepresentation().empty());
        const QStringList aside = QDir(dir.path()).entryList({ "broken.plist.corrupt-*" }, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(readFile(dir.path() + u'/' + aside.first()), contents);
        QVERIFY(!QFile::exists(defaults.filePath()));

        // The domain works again, and a second broken file does not overwrite the first one kept.
        defaults.set("a", Value(1));
        QCOMPARE(UserDefaults("broken").value("a"), std::optional<Value>(Value(1)));
        QVERIFY(writeFile(defaults.filePath(), "again broken"));
        QVERIFY(!defaults.value("a"));
        QCOMPARE(QDir(dir.path()).entryList({ "broken.plist.corrupt-*" }, QDir::Files).size(), 2);
    }

    void suiteNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("opens");
        QTest::newRow("group") << "group.Q4RT8ZB2NX.com.example.helper" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("path") << "../escape" << false;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("standard domain") << UserDefaults::standard().domain() << false;
    }

    void suiteNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, opens);
        ScopedUserDefaultsDirectory dir;
        const auto suite = UserDefaults::suite(name);
        QCOMPARE(bool(suite), opens);
        if (suite)
            QCOMPARE(suite->filePath(), dir.path() + u'/' + name + ".plist");
    }

    void suiteCannotBeOpenedWhenTheDirectoryCannotBeMade()
    {
        ScopedUserDefaultsDirectory outer;
        QVERIFY(writeFile(outer.path() + "/file", "x"));
        ScopedUserDefaultsDirectory inner(outer.path() + "/file/quenby");
        QVERIFY(!UserDefaults::suite(kSuite));
    }

    void standardDomainIsTheProgramName()
    {
        ScopedUserDefaultsDirectory dir;
        QCOMPARE(UserDefaults::standard().domain(), QStringLiteral("platform_userdefaults_test"));
        UserDefaults::standard().set("k", Value(1));
        QVERIFY(QFile::exists(dir.path() + "/platform_userdefaults_test.plist"));
    }

    // The guard moves even an object that already read its file.
    void directoryGuardRedirectsLiveObjects()
    {
        ScopedUserDefaultsDirectory first;
        UserDefaults defaults("d");
        defaults.set("k", Value("first"));
        {
            ScopedUserDefaultsDirectory second;
            QVERIFY(!defaults.value("k"));
            defaults.set("k", Value("second"));
        }
        QCOMPARE(defaults.string("k"), std::optional<QString>("first"));
    }

    void anotherProcessWriteIsSeenOnTheNextRead()
    {
        ScopedUserDefaultsDirectory dir;
        const auto suite = UserDefaults::suite(kSuite);
        QVERIFY(suite);
        QVERIFY(!suite->value("Batteries"));

        QCOMPARE(helper({ "set", dir.path(), kSuite, "Batteries", "aaaa" }), QString());
        QCOMPARE(suite->string("Batteries"), std::optional<QString>("aaaa"));

        // Same size, written right after: the change must still be noticed.
        QCOMPARE(helper({ "set", dir.path(), kSuite, "Batteries", "bbbb" }), QString());
        QCOMPARE(suite->string("Batteries"), std::optional<QString>("bbbb"));

        // Our next write keeps what the other process stored.
        suite->set("Mine", Value(1));
        QCOMPARE(helper({ "get", dir.path(), kSuite, "Batteries" }), QStringLiteral("bbbb"));
        QCOMPARE(helper({ "get", dir.path(), kSuite, "Mine" }), QStringLiteral("1"));
    }

    void standardDefaultsSurviveARestart()
    {
        ScopedUserDefaultsDirectory dir;
        QCOMPARE(helper({ "get", dir.path(), "-", "QuenbyWasStarted" }), QStringLiteral("<absent>"));
        QCOMPARE(helper({ "set", dir.path(), "-", "QuenbyWasStarted", "YES" }), QString());
        QCOMPARE(helper({ "get", dir.path(), "-", "QuenbyWasStarted" }), QStringLiteral("YES"));
    }
};

QTEST_GUILESS_MAIN(UserDefaultsTest)
#include "userdefaults_test.moc"
