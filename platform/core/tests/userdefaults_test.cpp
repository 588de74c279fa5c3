#include "platform/core/atomicfile.h"
#include "platform/core/clock.h"
#include "platform/core/plist.h"
#include "platform/core/userdefaults.h"
#include "capturedstream.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <future>
#include <thread>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

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

// A file as some program left it a minute ago, long past any save in progress.
bool writeOldFile(const QString &path, const QByteArray &bytes)
{
    timespec times[2] {};
    ::clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= 60;
    times[1] = times[0];
    return writeFile(path, bytes) && ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
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

// Every file descriptor this process may still open is taken for the guard's lifetime: any open()
// fails with "too many open files".
class NoFreeDescriptors {
public:
    NoFreeDescriptors()
    {
        ::getrlimit(RLIMIT_NOFILE, &m_previous);
        int highest = 0;
        for (const QString &entry : QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries))
            highest = std::max(highest, entry.toInt());
        rlimit lowered = m_previous;
        lowered.rlim_cur = rlim_t(highest + 1);
        ::setrlimit(RLIMIT_NOFILE, &lowered);
        for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;)
            m_taken << fd;
    }
    ~NoFreeDescriptors()
    {
        for (const int fd : m_taken)
            ::close(fd);
        ::setrlimit(RLIMIT_NOFILE, &m_previous);
    }

private:
    rlimit m_previous {};
    QList<int> m_taken;
};

// The ways a settings file can be there and yet not be readable.
enum class Unreadable { NoPermission, Fifo, Directory, NoFreeDescriptors };
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
        QVERIFY(writeOldFile(defaults.filePath(), contents));

        QVERIFY(!defaults.value("a"));
        QVERIFY(defaults.dictionaryRepresentation().empty());
        const QStringList aside = QDir(dir.path()).entryList({ "broken.plist.corrupt-*" }, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(readFile(dir.path() + u'/' + aside.first()), contents);
        QVERIFY(!QFile::exists(defaults.filePath()));

        // The domain works again, and a second broken file does not overwrite the first one kept.
        defaults.set("a", Value(1));
        QCOMPARE(UserDefaults("broken").value("a"), std::optional<Value>(Value(1)));
        QVERIFY(writeOldFile(defaults.filePath(), "again broken"));
        QVERIFY(!defaults.value("a"));
        QCOMPARE(QDir(dir.path()).entryList({ "broken.plist.corrupt-*" }, QDir::Files).size(), 2);
    }

    void unreadableSuiteIsNeverWrittenOver_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("no permission") << int(Unreadable::NoPermission);
        QTest::newRow("a FIFO in its place") << int(Unreadable::Fifo);
        QTest::newRow("a folder in its place") << int(Unreadable::Directory);
        QTest::newRow("too many open files") << int(Unreadable::NoFreeDescriptors);
    }

    void unreadableSuiteIsNeverWrittenOver()
    {
        QFETCH(int, row);
        const auto how = Unreadable(row);
        if (how == Unreadable::NoPermission && ::geteuid() == 0)
            QSKIP("permissions do not stop the superuser; the other rows take the same path");
        ScopedUserDefaultsDirectory dir;
        UserDefaults("shared").set("Names", Value("custom"));
        UserDefaults("shared").set("Threshold", Value(20));
        const QString path = dir.path() + "/shared.plist";
        const QByteArray stored = readFile(path);
        QVERIFY(!stored.isEmpty());

        // The file moves out of the way for the rows that put something else at its path.
        const QString kept = dir.path() + "/kept";
        if (how == Unreadable::NoPermission)
            QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
        if (how == Unreadable::Fifo)
            QVERIFY(QFile::rename(path, kept) && ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        if (how == Unreadable::Directory)
            QVERIFY(QFile::rename(path, kept) && QDir().mkdir(path));

        UserDefaults defaults("shared"); // a program starting now
        {
            std::optional<NoFreeDescriptors> exhausted;
            if (how == Unreadable::NoFreeDescriptors)
                exhausted.emplace();
            const bool before = !defaults.value("Names");
            defaults.set("QuenbyWasStarted", Value(true));
            defaults.remove("Threshold");
            const bool during = defaults.boolean("QuenbyWasStarted") && !defaults.value("Threshold");
            exhausted.reset();
            QVERIFY2(before, "nothing could be read");
            QVERIFY2(during, "the changes are kept in memory");
        }
        if (how == Unreadable::NoPermission || how == Unreadable::NoFreeDescriptors) {
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
            QCOMPARE(readFile(path), stored);
        } else {
            QFileInfo there(path);
            QVERIFY(how == Unreadable::Fifo ? there.isFile() == false && there.exists() : there.isDir());
            QVERIFY(QFile::remove(path) || QDir().rmdir(path));
            QVERIFY(QFile::rename(kept, path));
        }

        // Once it reads again, the file keeps what it held and gets what was changed meanwhile.
        QCOMPARE(defaults.string("Names"), std::optional<QString>("custom"));
        QVERIFY(defaults.boolean("QuenbyWasStarted"));
        QCOMPARE(platform::plist::parse(readFile(path)),
            Value(Value::Dictionary { { "Names", Value("custom") }, { "QuenbyWasStarted", Value(true) } }));
    }

    // A full disk at start: the file keeps every byte, the change stays in memory, the failure is said
    // once, and the next write that succeeds stores everything.
    void failedWriteKeepsTheFileAndTheChange()
    {
        ScopedUserDefaultsDirectory dir;
        UserDefaults("shared").set("Names", Value("custom"));
        const QString path = dir.path() + "/shared.plist";
        const QByteArray stored = readFile(path);

        UserDefaults defaults("shared"); // a program starting now
        CapturedErrors errors;
        {
            platform::ScopedFileWriteFailure full(platform::FileWriteStep::Write, ENOSPC);
            defaults.set("QuenbyWasStarted", Value(true));
            defaults.set("Threshold", Value(30));
            defaults.remove("Names");
            QCOMPARE(readFile(path), stored);
            QVERIFY(defaults.boolean("QuenbyWasStarted"));
            QCOMPARE(defaults.integer("Threshold"), 30);
            QVERIFY(!defaults.value("Names"));
            // Another start meanwhile reads the old file.
            QCOMPARE(UserDefaults("shared").string("Names"), std::optional<QString>("custom"));
        }
        defaults.set("Other", Value(1));
        const QStringList lines = errors.lines();
        const QString noSpace = QString::fromLocal8Bit(std::strerror(ENOSPC));
        QCOMPARE(lines.filter(noSpace).size(), 1);
        QVERIFY2(lines.filter(noSpace).first().contains(path), qPrintable(lines.join('\n')));
        QCOMPARE(platform::plist::parse(readFile(path)),
            Value(Value::Dictionary { { "QuenbyWasStarted", Value(true) }, { "Threshold", Value(30) },
                { "Other", Value(1) } }));
    }

    void inPlaceSaveNeverResets_data()
    {
        QTest::addColumn<double>("cut"); // the share of the file written before the editor stalls
        QTest::newRow("emptied") << 0.0;
        QTest::newRow("cut short") << 0.5;
    }

    // An editor that saves by writing the file in place leaves it empty or cut short until it is done,
    // however long its machine makes it wait: a program reading then gets the whole file, and never
    // moves it aside to start empty.
    void inPlaceSaveNeverResets()
    {
        QFETCH(double, cut);
        ScopedUserDefaultsDirectory dir;
        const QString path = dir.path() + "/shared.plist";
        Value::Dictionary values { { "Names", Value("custom") } };
        for (int i = 0; i < 200; ++i)
            values.emplace("Key" + QString::number(i), Value(i)); // a file of some kilobytes
        const QByteArray contents = platform::plist::serialize(Value(values), platform::plist::Format::Xml);
        QVERIFY(writeOldFile(path, contents));

        std::promise<void> stalled;
        std::atomic<bool> saved = false;
        std::thread editor([&] {
            const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
            const auto first = qsizetype(double(contents.size()) * cut);
            bool whole = fd >= 0 && ::write(fd, contents.constData(), size_t(first)) == first;
            stalled.set_value();
            // Ten times as long as the reads 50 ms apart that once judged such a file broken, and far
            // short of the 2 seconds after which a file that stays the same is.
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            whole = whole
                && ::write(fd, contents.constData() + first, size_t(contents.size() - first)) == contents.size() - first;
            saved = whole && ::close(fd) == 0;
        });
        stalled.get_future().wait();
        const std::optional<QString> names = UserDefaults("shared").string("Names"); // a program starting now
        editor.join();
        QVERIFY(saved);
        QCOMPARE(names, std::optional<QString>("custom"));
        QCOMPARE(QDir(dir.path()).entryList({ "shared.plist.corrupt-*" }, QDir::Files), QStringList());
        QCOMPARE(readFile(path), contents);
    }

    // A save that stopped half way (the editor was killed) leaves a file that never parses: once it has
    // stayed the same for 2 seconds, a read still waiting for it moves it aside and starts empty.
    void aSaveThatStoppedIsMovedAsideOnceItStaysTheSame()
    {
        ScopedUserDefaultsDirectory dir;
        UserDefaults defaults("shared");
        const QByteArray half("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>Names</key>");
        QVERIFY(writeFile(defaults.filePath(), half));
        QVERIFY(!defaults.value("Names"));
        QCOMPARE(readFile(dir.path() + u'/' + QDir(dir.path()).entryList({ "shared.plist.corrupt-*" }).value(0)), half);
        defaults.set("Names", Value("new"));
        QCOMPARE(UserDefaults("shared").string("Names"), std::optional<QString>("new"));
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
