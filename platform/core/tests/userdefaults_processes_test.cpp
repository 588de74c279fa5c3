// Settings written by several processes at once, and by a process killed in the middle of a write.
#include "platform/core/coding.h"
#include "platform/core/plist.h"
#include "platform/core/userdefaults.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <csignal>
#include <thread>

using platform::ScopedUserDefaultsDirectory;
using platform::UserDefaults;
using platform::Value;

namespace {
const QString kHelper = QStringLiteral(QUENBY_BIN_DIR "/platform_core_helper");
const QString kSuite = QStringLiteral("group.example.shared");
constexpr int kBound = 60000;

// The suite's file as a fresh reader sees it; empty when it does not parse as a dictionary.
std::optional<Value::Dictionary> stored(const QString &directory)
{
    QFile file(directory + u'/' + kSuite + QStringLiteral(".plist"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    try {
        const Value value = platform::plist::parse(file.readAll());
        if (const auto *dict = value.toDictionary())
            return *dict;
    } catch (const platform::DecodingError &) {
    }
    return std::nullopt;
}

// Two helper programs writing the suite at the same time, each with its own arguments.
class TwoWriters {
public:
    TwoWriters(const QStringList &first, const QStringList &second)
    {
        m_first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_second.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_first.start(kHelper, first);
        m_second.start(kHelper, second);
    }
    // Both ended, with status 0.
    bool succeeded()
    {
        return m_first.waitForFinished(kBound) && m_second.waitForFinished(kBound) && m_first.exitCode() == 0
            && m_second.exitCode() == 0;
    }

private:
    QProcess m_first;
    QProcess m_second;
};
}

class UserDefaultsProcessesTest : public QObject {
    Q_OBJECT
private slots:
    void twoWritersLoseNoKeys()
    {
        ScopedUserDefaultsDirectory dir;
        constexpr int kKeys = 300;
        TwoWriters writers({ "fill", dir.path(), kSuite, "first", QString::number(kKeys) },
            { "fill", dir.path(), kSuite, "second", QString::number(kKeys) });
        // And this process, as a third writer of one key the others also set.
        const auto suite = UserDefaults::suite(kSuite);
        QVERIFY(suite);
        for (int i = 0; i < 50; ++i)
            suite->set("mine" + QString::number(i), Value(i));
        QVERIFY(writers.succeeded());

        const auto dict = stored(dir.path());
        QVERIFY(dict);
        QStringList lost;
        for (const auto &[prefix, count] : { std::pair { "first", kKeys }, { "second", kKeys }, { "mine", 50 } }) {
            for (int i = 0; i < count; ++i) {
                const QString key = prefix + QString::number(i);
                const auto found = dict->find(key);
                if (found == dict->end() || !(found->second == Value(i)))
                    lost << key;
            }
        }
        QVERIFY2(lost.isEmpty(), qPrintable(QString::number(lost.size()) + " lost: " + lost.mid(0, 10).join(' ')));
        QCOMPARE(dict->size(), size_t(2 * kKeys + 50));
    }

    // Two programs adding entries to one stored list (ignored devices, say) at the same time.
    void twoWritersEditingOneListLoseNoEntries()
    {
        ScopedUserDefaultsDirectory dir;
        constexpr int kEntries = 150;
        TwoWriters writers({ "append", dir.path(), kSuite, "List", "first", QString::number(kEntries) },
            { "append", dir.path(), kSuite, "List", "second", QString::number(kEntries) });
        QVERIFY(writers.succeeded());

        const auto dict = stored(dir.path());
        QVERIFY(dict && dict->count("List"));
        const auto *list = dict->at("List").toArray();
        QVERIFY(list);
        QSet<QString> entries;
        for (const Value &entry : *list)
            entries.insert(entry.toString().value_or(QString()));
        QCOMPARE(list->size(), size_t(2 * kEntries));
        QCOMPARE(entries.size(), 2 * kEntries);
    }

    // A writer killed at any moment leaves the old file or the new one, never a broken or emptied one.
    void killedWriterLeavesAWholeFile()
    {
        ScopedUserDefaultsDirectory dir;
        const auto suite = UserDefaults::suite(kSuite);
        QVERIFY(suite);
        suite->set("Names", Value("custom"));
        std::int64_t last = 0;
        constexpr int kKills = 200;
        for (int kill = 0; kill < kKills; ++kill) {
            QProcess writer;
            writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            writer.start(kHelper, { "count", dir.path(), kSuite, "Counter" });
            QVERIFY(writer.waitForStarted(kBound));
            QVERIFY2(writer.waitForReadyRead(kBound), "the writer did not start counting");
            std::this_thread::sleep_for(std::chrono::microseconds(QRandomGenerator::global()->bounded(20'000)));
            ::kill(pid_t(writer.processId()), SIGKILL);
            QVERIFY(writer.waitForFinished(kBound));

            const auto dict = stored(dir.path());
            QVERIFY2(dict, qPrintable(QStringLiteral("kill %1 left a file that does not parse").arg(kill)));
            QCOMPARE(dict->at("Names"), Value("custom"));
            const auto counter = dict->at("Counter").toInteger();
            QVERIFY(counter);
            // Each writer counts on from what the last one stored: the count never goes back.
            QVERIFY2(*counter > last, qPrintable(QStringLiteral("kill %1: %2 after %3").arg(kill).arg(*counter).arg(last)));
            last = *counter;
        }
        QCOMPARE(suite->string("Names"), std::optional<QString>("custom"));
    }
};

QTEST_GUILESS_MAIN(UserDefaultsProcessesTest)
#include "userdefaults_processes_test.moc"
