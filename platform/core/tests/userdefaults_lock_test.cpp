// Settings written on the GUI thread while another program holds the settings lock.
#include "platform/core/atomicfile.h"
#include "platform/core/coding.h"
#include "platform/core/plist.h"
#include "platform/core/userdefaults.h"
#include "capturedstream.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTest>

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
};

QTEST_MAIN(UserDefaultsLockTest)
#include "userdefaults_lock_test.moc"
