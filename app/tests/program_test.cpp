#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kProgram = QStringLiteral(QUENBY_BIN_DIR "/Quenby.app/Contents/MacOS/Quenby");
}

// The program's own start: which machine it runs on, and what a machine it cannot use does.
class ProgramTest : public QObject {
    Q_OBJECT
private slots:
    void aMachineItCannotUseStopsItWithTheReason_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("missing file") << QByteArray();
        QTest::newRow("not JSON") << QByteArrayLiteral("registry:");
        QTest::newRow("malformed section") << QByteArrayLiteral("{\"powerSources\": {}}");
    }
    void aMachineItCannotUseStopsItWithTheReason()
    {
        QFETCH(QByteArray, contents);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("machine.json"));
        if (!contents.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(contents);
        }
        QProcess program;
        program.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        program.start(kProgram, { QStringLiteral("--fixture"), path });
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        const QString error = QString::fromUtf8(program.readAllStandardError());
        QVERIFY2(error.contains(QStringLiteral("Quenby: ") + path), qPrintable(error));
    }

    void answersOnTheTerminalWithoutADisplay_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("answer");
        QTest::newRow("help") << "--help" << "--fixture <file>";
        QTest::newRow("version") << "--version" << "Quenby 1.0.0";
    }
    void answersOnTheTerminalWithoutADisplay()
    {
        QFETCH(QString, option);
        QFETCH(QString, answer);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
            environment.remove(QString::fromLatin1(name));
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(kProgram, { option });
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        QVERIFY2(out.contains(answer), qPrintable(out));
    }
};

QTEST_GUILESS_MAIN(ProgramTest)
#include "program_test.moc"
