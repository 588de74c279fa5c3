#include "platform/core/fileeventsource.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

using platform::FileEvent;
using platform::FileEvents;
using platform::FileEventSource;

class FileEventSourceTest : public QObject {
    Q_OBJECT
private slots:
    void events_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("absent");
        QTest::newRow("append") << "append" << int(FileEvent::Write | FileEvent::Extend) << int(FileEvent::Delete);
        QTest::newRow("overwrite in place") << "overwrite" << int(FileEvent::Write) << int(FileEvent::Extend);
        QTest::newRow("truncate") << "truncate" << int(FileEvent::Write) << int(FileEvent::Extend);
        QTest::newRow("permissions") << "chmod" << int(FileEvent::Attrib) << int(FileEvent::Write);
        QTest::newRow("rename") << "rename" << int(FileEvent::Rename) << int(FileEvent::Write);
        QTest::newRow("unlink") << "unlink" << int(FileEvent::Link | FileEvent::Delete) << int(FileEvent::Extend);
    }

    void events()
    {
        QFETCH(QString, change);
        QFETCH(int, expected);
        QFETCH(int, absent);
        QTemporaryDir dir;
        const QString path = dir.filePath("watched");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("0123456789");
        }
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
        QVERIFY(fd >= 0);
        FileEvents seen;
        {
            FileEventSource source(fd, FileEvents::fromInt(0x7f));
            QVERIFY(source.isValid());
            QSignalSpy spy(&source, &FileEventSource::eventsOccurred);
            QFile file(path);
            if (change == "append") {
                QVERIFY(file.open(QIODevice::Append));
                file.write("more");
            } else if (change == "overwrite") {
                QVERIFY(file.open(QIODevice::ReadWrite));
                file.write("ab");
            } else if (change == "truncate") {
                QVERIFY(file.resize(3));
            } else if (change == "chmod") {
                QVERIFY(file.setPermissions(QFile::ReadOwner));
            } else if (change == "rename") {
                QVERIFY(file.rename(dir.filePath("moved")));
            } else {
                QVERIFY(file.remove());
            }
            file.close();
            QVERIFY(QTest::qWaitFor(
                [&] {
                    for (const auto &args : spy)
                        seen |= args.first().value<FileEvents>();
                    spy.clear();
                    return (seen & FileEvents::fromInt(expected)) == FileEvents::fromInt(expected);
                },
                5000));
        }
        ::close(fd);
        QCOMPARE(int(seen & FileEvents::fromInt(absent)), 0);
    }

    void theMaskFilters()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("watched");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
        FileEventSource attributesOnly(fd, FileEvent::Attrib);
        FileEventSource all(fd, FileEvents::fromInt(0x7f));
        QSignalSpy quiet(&attributesOnly, &FileEventSource::eventsOccurred);
        QSignalSpy loud(&all, &FileEventSource::eventsOccurred);
        file.write("grows");
        file.flush();
        QVERIFY(loud.wait(5000));
        QCOMPARE(quiet.count(), 0);
        ::close(fd);
    }
};

QTEST_GUILESS_MAIN(FileEventSourceTest)
#include "fileeventsource_test.moc"
