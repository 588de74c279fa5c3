#include "platform/core/atomicfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

using platform::FileWriteStep;
using platform::ScopedFileWriteFailure;
using platform::writeFileAtomically;

namespace {
QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QStringList everythingIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}
}

// Whole-file writes that leave either the old file or the new one, never a mix or an empty file.
class AtomicFileTest : public QObject {
    Q_OBJECT
private slots:
    void failedStepLeavesTheOldFileWhole_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("error");
        QTest::newRow("no inode for the temporary file") << int(FileWriteStep::Create) << ENOSPC;
        QTest::newRow("disk full while writing") << int(FileWriteStep::Write) << ENOSPC;
        QTest::newRow("I/O error on fsync") << int(FileWriteStep::Sync) << EIO;
        QTest::newRow("quota reported at close") << int(FileWriteStep::Close) << EDQUOT;
        QTest::newRow("read-only at rename") << int(FileWriteStep::Rename) << EROFS;
    }
    void failedStepLeavesTheOldFileWhole()
    {
        QFETCH(int, step);
        QFETCH(int, error);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings.plist"));
        const QByteArray old("<plist><dict><key>Names</key><string>custom</string></dict></plist>");
        QVERIFY(writeFileAtomically(path, old));

        platform::FileWriteResult result;
        {
            ScopedFileWriteFailure failure(FileWriteStep(step), error);
            result = writeFileAtomically(path, QByteArray(20000, 'n'));
        }
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(path) && result.error.contains(QString::fromLocal8Bit(std::strerror(error))),
            qPrintable(result.error));
        QCOMPARE(readFile(path), old);
        QCOMPARE(everythingIn(dir.path()), QStringList { QStringLiteral("settings.plist") });

        // The next write goes through.
        QVERIFY(writeFileAtomically(path, "new"));
        QCOMPARE(readFile(path), QByteArray("new"));
        QCOMPARE(everythingIn(dir.path()), QStringList { QStringLiteral("settings.plist") });
    }

    // Settings kept elsewhere through a link (a dotfiles folder) stay there, with their permissions.
    void replacesTheFileALinkPointsToAndKeepsItsMode()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dotfiles")));
        const QString real = dir.filePath(QStringLiteral("dotfiles/settings.plist"));
        const QString link = dir.filePath(QStringLiteral("settings.plist"));
        QVERIFY(writeFileAtomically(real, "old"));
        QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(QFile::link(QStringLiteral("dotfiles/settings.plist"), link));

        QVERIFY(writeFileAtomically(link, "new"));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readFile(real), QByteArray("new"));
        QCOMPARE(QFile::permissions(real), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    }
};

QTEST_GUILESS_MAIN(AtomicFileTest)
#include "atomicfile_test.moc"
