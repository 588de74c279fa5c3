#include "dbusmock.h"
#include "platform/desktop/linuxworkspace.h"

#include <QDBusConnection>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace platform;

namespace {
// A file manager offering org.freedesktop.FileManager1, recording what it was asked to show.
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QList<QStringList> shown;
    QStringList startupIds;
public slots:
    void ShowItems(const QStringList &uris, const QString &startupId)
    {
        shown << uris;
        startupIds << startupId;
    }
};
}

class SelectFileTest : public QObject {
    Q_OBJECT

    DBusMock m_mock;
    QTemporaryDir m_dir;
    FakeFileManager m_fileManager;

    std::optional<bool> select(LinuxWorkspace &workspace, const QString &path, const QString &root)
    {
        std::optional<bool> result;
        workspace.selectFile(path, root, [&](bool ok) { result = ok; });
        if (!QTest::qWaitFor([&] { return result.has_value(); }, 5000))
            return std::nullopt;
        return result;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_mock.startBus(), qPrintable(m_mock.error()));
        QDBusConnection service = QDBusConnection::connectToBus(m_mock.address(), "filemanager");
        QVERIFY(service.isConnected());
        QVERIFY(
            service.registerObject("/org/freedesktop/FileManager1", &m_fileManager, QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService("org.freedesktop.FileManager1"));
        QFile file(m_dir.filePath("report one.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    void anItemIsShownSelected_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("shown");
        const QString file = m_dir.filePath("report one.txt");
        QTest::newRow("file in its folder") << file << m_dir.path() << file;
        QTest::newRow("file without root") << file << QString() << file;
        QTest::newRow("folder alone") << QString() << m_dir.path() << m_dir.path();
    }

    void anItemIsShownSelected()
    {
        QFETCH(QString, path);
        QFETCH(QString, root);
        QFETCH(QString, shown);
        LinuxWorkspace workspace("/proc", m_mock.bus());
        m_fileManager.shown.clear();
        QCOMPARE(select(workspace, path, root), std::optional<bool>(true));
        QCOMPARE(
            m_fileManager.shown, (QList<QStringList> { { QUrl::fromLocalFile(shown).toString(QUrl::FullyEncoded) } }));
        QVERIFY(m_fileManager.shown.first().first().contains("report%20one") || path.isEmpty());
    }

    void nothingThereIsNotShown_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("root");
        QTest::newRow("missing file") << m_dir.filePath("missing.txt") << m_dir.path();
        QTest::newRow("nothing named") << QString() << QString();
    }

    void nothingThereIsNotShown()
    {
        QFETCH(QString, path);
        QFETCH(QString, root);
        LinuxWorkspace workspace("/proc", m_mock.bus());
        m_fileManager.shown.clear();
        QCOMPARE(select(workspace, path, root), std::optional<bool>(false));
        QVERIFY(m_fileManager.shown.isEmpty());
    }
};

QTEST_GUILESS_MAIN(SelectFileTest)
#include "selectfile_test.moc"
