// Settings written on the GUI thread while another program holds the settings lock.
#include "platform/core/atomicfile.h"
#include "platform/core/coding.h"
#include "platform/core/plist.h"
#include "platform/core/userdefaults.h"
#include "capturedstream.h"
#include "testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using platform::ScopedUserDefaultsDirectory;
using platform::UserDefaults;
using platform::Value;

namespace {
std::optional<Value> stored(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    try {
        return platform::plist::parse(file.readAll());
    } catch (const platform::DecodingError &) {
        return std::nullopt;
    }
}

// Another program's lock on a domain: an exclusive flock on its own open of the lock file.
class HeldLock {
public:
    explicit HeldLock(const QString &path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        m_held = m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) == 0;
    }
    ~HeldLock() { release(); }
    HeldLock(const HeldLock &) = delete;
    HeldLock &operator=(const HeldLock &) = delete;

    bool held() const { return m_held; }
    void release()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd;
    bool m_held = false;
};

Value::Array appended(const std::optional<Value> &list, const QString &entry)
{
    Value::Array array;
    if (list && list->toArray())
        array = *list->toArray();
    array.emplace_back(entry);
    return array;
}
}

class UserDefaultsLockTest : public QObject {
    Q_OBJECT
private slots:
    void heldLockNeverBlocksAndTheChangesFollow()
    {
        QVERIFY(qobject_cast<QGuiApplication *>(QCoreApplication::instance()));
        ScopedUserDefaultsDirectory dir;
        const QString path = dir.path() + "/shared.plist";
        UserDefaults defaults("shared");
        defaults.set("Names", Value("custom"));

        HeldLock other(dir.path() + "/.shared.plist.lock");
        QVERIFY(other.held());
        CapturedErrors errors;
        QElapsedTimer clock;
        clock.start();
        defaults.set("A", Value(1));
        defaults.update("List", [](const std::optional<Value> &list) { return Value(appended(list, "mine")); });
        defaults.set("B", Value(2));
        // A bound, not a speed figure: without one the writes wait as long as the other program holds on.
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed()) + " ms on the GUI thread"));
        QCOMPARE(defaults.integer("A"), 1);
        QCOMPARE(defaults.integer("B"), 2);
        QCOMPARE(stored(path), std::optional<Value>(Value(Value::Dictionary { { "Names", Value("custom") } })));

        // The other program stores its own entry of the list while it holds the lock.
        QVERIFY(platform::writeFileAtomically(path,
            platform::plist::serialize(Value(Value::Dictionary { { "Names", Value("custom") },
                                           { "List", Value(Value::Array { Value("theirs") }) }, { "Other", Value(5) } }),
                platform::plist::Format::Xml)));
        QCOMPARE(defaults.array("List"), std::optional<Value::Array>({ Value("theirs"), Value("mine") }));
        other.release();

        const Value expected(Value::Dictionary { { "Names", Value("custom") }, { "Other", Value(5) },
            { "A", Value(1) }, { "B", Value(2) }, { "List", Value(Value::Array { Value("theirs"), Value("mine") }) } });
        QTRY_COMPARE_WITH_TIMEOUT(stored(path), std::optional<Value>(expected), 10000);
        QCOMPARE(errors.lines().filter("locked by another program").size(), 1);
    }

    // Another program saving the file in place stalls with it cut short. Inside the event loop reads and
    // writes wait for it briefly once, and not again while it stays so; the file is neither moved aside
    // nor written over, and what was read before stays, with the changes over it, until it parses.
    void aFileBeingSavedNeverBlocksTheEventLoop()
    {
        ScopedUserDefaultsDirectory dir;
        const QString path = dir.path() + "/shared.plist";
        UserDefaults defaults("shared");
        defaults.set("Names", Value("custom"));
        const QByteArray saved = platform::plist::serialize(
            Value(Value::Dictionary { { "Names", Value("theirs") }, { "Other", Value(5) } }),
            platform::plist::Format::Xml);
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        QVERIFY(fd >= 0);
        const auto half = saved.size() / 2;
        QCOMPARE(::write(fd, saved.constData(), size_t(half)), half);

        CapturedErrors errors;
        qint64 elapsed = -1;
        QStringList seen;
        QTimer::singleShot(0, this, [&] {
            QElapsedTimer clock;
            clock.start();
            for (int read = 0; read < 20; ++read)
                seen << defaults.string("Names").value_or("<none>");
            defaults.set("A", Value(1));
            seen << QString::number(defaults.integer("A"));
            elapsed = clock.elapsed();
            QCoreApplication::exit(0);
        });
        QCOMPARE(QCoreApplication::exec(), 0);
        // A bound, not a speed figure: waiting 100 ms at every read would take 2 seconds, and waiting for
        // the save to end as long as elsewhere 2 seconds at the first.
        QVERIFY2(elapsed >= 0 && elapsed < 1500, qPrintable(QString::number(elapsed) + " ms in the event loop"));
        QCOMPARE(seen, QStringList(20, "custom") << "1");
        QCOMPARE(QDir(dir.path()).entryList({ "shared.plist.corrupt-*" }, QDir::Files), QStringList());
        QFile cut(path);
        QVERIFY(cut.open(QIODevice::ReadOnly));
        QCOMPARE(cut.readAll(), saved.left(half));

        // The save ends: its keys are read, and the change kept meanwhile goes to the file over them.
        QCOMPARE(::write(fd, saved.constData() + half, size_t(saved.size() - half)), saved.size() - half);
        QCOMPARE(::close(fd), 0);
        QCOMPARE(defaults.string("Names"), std::optional<QString>("theirs"));
        const Value expected(Value::Dictionary { { "Names", Value("theirs") }, { "Other", Value(5) }, { "A", Value(1) } });
        QTRY_COMPARE_WITH_TIMEOUT(stored(path), std::optional<Value>(expected), 10000);
        QCOMPARE(errors.lines().filter("being saved").size(), 1);
    }
};

QTEST_MAIN(UserDefaultsLockTest)
#include "userdefaults_lock_test.moc"
