#include "olvane/filemonitor.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using olvane::FileMonitor;

namespace {
class Recorder : public QObject, public olvane::FileMonitorDelegate {
    Q_OBJECT
public:
    void didAppendText(const QString &text) override
    {
        texts << text;
        emit appended();
    }
    QStringList texts;
signals:
    void appended();
};

void append(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Append));
    QCOMPARE(file.write(bytes), bytes.size());
}

void rewrite(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}
}

class FileMonitorTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;
    std::shared_ptr<Recorder> m_recorder;
    std::unique_ptr<FileMonitor> m_monitor;

    // Appends `bytes` and waits until the delegate has heard as many texts as `texts` holds.
    bool appendAndWait(const QByteArray &bytes, int texts)
    {
        append(m_path, bytes);
        return QTest::qWaitFor([&] { return m_recorder->texts.size() >= texts; }, 5000);
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QString("log-%1.txt").arg(QTest::currentTestFunction()));
        rewrite(m_path, "written before\n");
        m_recorder = std::make_shared<Recorder>();
        m_monitor = std::make_unique<FileMonitor>(QUrl::fromLocalFile(m_path));
        m_monitor->setDelegate(m_recorder);
    }

    void cleanup()
    {
        m_monitor.reset();
        m_recorder.reset();
    }

    void aMissingFileCannotBeFollowed()
    {
        try {
            FileMonitor monitor(QUrl::fromLocalFile(m_dir.filePath("missing.txt")));
            QFAIL("a monitor on a missing file was created");
        } catch (const olvane::FileMonitorError &error) {
            QCOMPARE(error.code(), ENOENT);
            QVERIFY(error.description().contains("missing.txt"));
        }
    }

    void onlyAppendedTextIsHandedOn()
    {
        QVERIFY(appendAndWait("first line\n", 1));
        QVERIFY(appendAndWait("second", 2));
        QCOMPARE(m_recorder->texts, (QStringList { "first line\n", "second" }));
    }

    void aCharacterSplitAcrossWritesArrivesWhole()
    {
        const QByteArray text = QString("Grüße").toUtf8(); // ü and ß are two bytes each
        const qsizetype cut = text.indexOf('\xc3') + 1; // inside the ü
        QVERIFY(appendAndWait(text.left(cut), 1));
        QCOMPARE(m_recorder->texts, QStringList { "Gr" });
        QVERIFY(appendAndWait(text.mid(cut), 2));
        QCOMPARE(m_recorder->texts, (QStringList { "Gr", "üße" }));
    }

    void bytesThatAreNoTextAreDropped()
    {
        // A stray byte, a surrogate's encoding and an overlong slash are no UTF-8.
        append(m_path, QByteArray("\xff one \xed\xa0\x80two \xc0\xaf"));
        append(m_path, QByteArray("three\n"));
        QVERIFY(QTest::qWaitFor([&] { return m_recorder->texts.join(QString()).endsWith("three\n"); }, 5000));
        QCOMPARE(m_recorder->texts.join(QString()), QString(" one two three\n"));
    }

    void afterTruncationNewTextArrivesWhole()
    {
        QVERIFY(appendAndWait("some more text\n", 1));
        rewrite(m_path, QByteArray());
        QVERIFY(appendAndWait("fresh\n", 2));
        QCOMPARE(m_recorder->texts, (QStringList { "some more text\n", "fresh\n" }));
    }

    void aReplacedFileIsNotFollowed()
    {
        QFile original(m_path);
        QVERIFY(original.open(QIODevice::WriteOnly | QIODevice::Append));
        const QString replacement = m_dir.filePath("replacement.txt");
        rewrite(replacement, "the new file\n");
        QVERIFY(QFile::remove(m_path));
        QVERIFY(QFile::rename(replacement, m_path));
        append(m_path, "written to the new file\n");
        // The followed file is still the one that was opened.
        original.write("old file goes on\n");
        original.flush();
        QVERIFY(QTest::qWaitFor([&] { return !m_recorder->texts.isEmpty(); }, 5000));
        QCOMPARE(m_recorder->texts, (QStringList { "old file goes on\n" }));
    }
};

QTEST_GUILESS_MAIN(FileMonitorTest)
#include "filemonitor_test.moc"
