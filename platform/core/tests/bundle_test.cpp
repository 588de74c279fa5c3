#include "platform/core/bundle.h"
#include "platform/core/plist.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using platform::Bundle;
using platform::Value;

namespace {
const QString kSample = QStringLiteral(QUENBY_TEST_DATA "/Sample_Sample.bundle");
const QString kHelper = QStringLiteral(QUENBY_BIN_DIR "/platform_core_helper");

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool copyTree(const QString &from, const QString &to)
{
    QDir source(from);
    if (!QDir().mkpath(to))
        return false;
    for (const QFileInfo &info : source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = to + u'/' + info.fileName();
        if (info.isDir() ? !copyTree(info.filePath(), target) : !QFile::copy(info.filePath(), target))
            return false;
    }
    return true;
}

QByteArray infoPlist(const QString &identifier)
{
    Value::Dictionary info;
    info["CFBundleIdentifier"] = Value(identifier);
    info["CFBundleName"] = Value("Probe");
    return platform::plist::serialize(Value(info), platform::plist::Format::Xml);
}

struct Run {
    QProcess::ExitStatus status;
    int code;
    QStringList out;
    QString err;
};

Run runHelper(const QString &program, const QStringList &args, const QString &lang = QStringLiteral("en_US.UTF-8"))
{
    QProcess p;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LANG"), lang);
    env.insert(QStringLiteral("LC_ALL"), lang);
    env.remove(QStringLiteral("LANGUAGE"));
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(30000))
        return { QProcess::CrashExit, -1, {}, QStringLiteral("helper did not finish") };
    return { p.exitStatus(), p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()).split(u'\n'),
        QString::fromUtf8(p.readAllStandardError()) };
}
}

class BundleTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Bundle::setPreferredLanguages({}); }

    void parseStrings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected"); // a null string: the key is absent

        QTest::newRow("plain") << "\"A\" = \"b\";"
                               << "A"
                               << "b";
        QTest::newRow("spaces and newlines") << "\n  \"A\"\n=\n\"b c\" ;\n"
                                             << "A"
                                             << "b c";
        QTest::newRow("escaped quote") << "\"A\" = \"say \\\"hi\\\"\";"
                                       << "A"
                                       << "say \"hi\"";
        QTest::newRow("escaped newline") << "\"A\" = \"one\\ntwo\";"
                                         << "A"
                                         << "one\ntwo";
        QTest::newRow("escaped backslash") << "\"A\" = \"a\\\\b\";"
                                           << "A"
                                           << "a\\b";
        QTest::newRow("unicode escape") << "\"A\" = \"\\U00e9\";"
                                        << "A" << QStringLiteral("é");
        QTest::newRow("format kept") << "\"A\" = \"%d%% of %@\";"
                                     << "A"
                                     << "%d%% of %@";
        QTest::newRow("block comment") << "/* \"A\" = \"x\"; */ \"A\" = \"y\";"
                                       << "A"
                                       << "y";
        QTest::newRow("line comment") << "// \"A\" = \"x\";\n\"A\" = \"y\";"
                                      << "A"
                                      << "y";
        QTest::newRow("semicolon in value") << "\"A\" = \"x;y\";"
                                            << "A"
                                            << "x;y";
        QTest::newRow("bare word key") << "KEY_1 = \"v\";"
                                       << "KEY_1"
                                       << "v";
        QTest::newRow("later entry wins") << "\"A\" = \"1\";\"A\" = \"2\";"
                                          << "A"
                                          << "2";
        QTest::newRow("missing equals skipped") << "\"A\" \"x\"; \"B\" = \"y\";"
                                                << "A" << QString();
        QTest::newRow("entry after broken one") << "\"A\" \"x\"; \"B\" = \"y\";"
                                                << "B"
                                                << "y";
        QTest::newRow("missing semicolon skipped") << "\"A\" = \"x\""
                                                   << "A" << QString();
        QTest::newRow("unterminated value") << "\"A\" = \"x;\n"
                                            << "A" << QString();
        QTest::newRow("unterminated comment") << "\"A\" = \"x\"; /* \"B\" = \"y\";"
                                              << "B" << QString();
        QTest::newRow("empty value") << "\"A\" = \"\";"
                                     << "A"
                                     << "";
    }

    void parseStrings()
    {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const auto table = platform::parseStrings(text);
        const auto it = table.find(key);
        if (expected.isNull()) {
            QVERIFY(table.count(key) == 0);
        } else {
            QVERIFY(it != table.end());
            QCOMPARE(it->second, expected);
        }
    }

    void utf16FileWithByteOrderMark()
    {
        QTemporaryDir dir;
        QByteArray bytes("\xff\xfe");
        const QString text = QStringLiteral("\"GREETING\" = \"Grüße\";");
        bytes.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
        QVERIFY(writeFile(dir.path() + "/en.lproj/Localizable.strings", bytes));
        QCOMPARE(Bundle(dir.path()).localizedString("GREETING"), QStringLiteral("Grüße"));
    }

    void localizedString_data()
    {
        QTest::addColumn<QStringList>("languages");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        QTest::newRow("english") << QStringList { "en" } << "YES"
                                 << "Yes";
        QTest::newRow("german") << QStringList { "de" } << "YES"
                                << "Ja";
        QTest::newRow("german falls back to english") << QStringList { "de" } << "ONLY_ENGLISH"
                                                      << "English only";
        QTest::newRow("unknown language reads english") << QStringList { "fr" } << "NO"
                                                        << "No";
        QTest::newRow("first preferred language wins") << QStringList { "fr", "de", "en" } << "NO"
                                                       << "Nein";
        QTest::newRow("missing key gives the key") << QStringList { "de" } << "NOT_THERE"
                                                   << "NOT_THERE";
        QTest::newRow("non-ascii value") << QStringList { "de" } << "GREETING" << QStringLiteral("Grüße");
    }

    void localizedString()
    {
        QFETCH(QStringList, languages);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        Bundle::setPreferredLanguages(languages);
        QCOMPARE(Bundle(kSample).localizedString(key), expected);
    }

    void missingTableGivesKey()
    {
        QCOMPARE(Bundle(kSample).localizedString("YES", "NoSuchTable"), QStringLiteral("YES"));
    }

    void pathForResource()
    {
        const Bundle bundle(kSample);
        QCOMPARE(bundle.pathForResource("sample", "txt"), kSample + "/sample.txt");
        Bundle::setPreferredLanguages({ "de" });
        QCOMPARE(bundle.pathForResource("Localizable", "strings"), kSample + "/de.lproj/Localizable.strings");
        QVERIFY(bundle.pathForResource("absent", "json").isEmpty());
    }

    void infoDictionary_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("identifier");
        QTest::newRow("xml") << infoPlist("com.example.probe") << "com.example.probe";
        QTest::newRow("garbage") << QByteArray("<?xml version=\"1.0\"?><plist><dict><key>") << "";
        QTest::newRow("not a dictionary")
            << platform::plist::serialize(Value(Value::Array { Value("x") }), platform::plist::Format::Xml) << "";
    }

    void infoDictionary()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, identifier);
        QTemporaryDir dir;
        const QString app = dir.path() + "/Probe.app";
        QVERIFY(writeFile(app + "/Contents/Info.plist", contents));
        QDir().mkpath(app + "/Contents/Resources");
        const Bundle bundle(app);
        QCOMPARE(bundle.resourcePath(), app + "/Contents/Resources");
        QCOMPARE(bundle.bundleIdentifier(), identifier);
        QCOMPARE(bundle.infoDictionary().has_value(), !identifier.isEmpty());
    }

    void noInfoDictionary() { QVERIFY(!Bundle(kSample).infoDictionary()); }

    // The program's own bundle and the library bundles inside it, seen from a program that lives in
    // an application bundle.
    void moduleInsideApplicationBundle_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("expected");
        QTest::newRow("english") << "en_US.UTF-8"
                                 << "Yes";
        QTest::newRow("german") << "de_DE.UTF-8"
                                << "Ja";
    }

    void moduleInsideApplicationBundle()
    {
        QFETCH(QString, lang);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString app = dir.path() + "/Probe.app";
        QVERIFY(writeFile(app + "/Contents/Info.plist", infoPlist("com.example.probe")));
        QVERIFY(copyTree(kSample, app + "/Contents/Resources/Sample_Sample.bundle"));
        QVERIFY(QDir().mkpath(app + "/Contents/MacOS"));
        const QString program = app + "/Contents/MacOS/probe";
        QVERIFY(QFile::copy(kHelper, program));

        const Run run = runHelper(program, { "bundle", "Sample", "YES" }, lang);
        QCOMPARE(run.status, QProcess::NormalExit);
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out.value(0), app);
        QCOMPARE(run.out.value(1), QStringLiteral("com.example.probe"));
        QCOMPARE(run.out.value(2), expected);
    }

    void missingBundleStopsTheProgram()
    {
        const Run run = runHelper(kHelper, { "bundle", "Missing", "YES" });
        QCOMPARE(run.status, QProcess::CrashExit);
        QVERIFY2(run.err.contains("unable to find bundle named Missing_Missing"), qPrintable(run.err));
        // It stopped inside the lookup, before printing any text.
        QCOMPARE(run.out.value(2), QString());
    }

    void findDoesNotStop() { QVERIFY(!Bundle::find("Missing")); }
};

QTEST_GUILESS_MAIN(BundleTest)
#include "bundle_test.moc"
