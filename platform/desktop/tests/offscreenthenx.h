#pragma once
// Runs a Qt test twice: first as every test runs, on the offscreen platform, then on Qt's xcb platform
// against a private Xvfb. The test class takes `bool onX` and skips what needs the other platform.

#include <QApplication>
#include <QProcess>
#include <QTest>

template <typename Test>
int runOffscreenThenOnX(int argc, char **argv)
{
    int status = 0;
    {
        QApplication application(argc, argv);
        Test test(false);
        status |= QTest::qExec(&test, argc, argv);
    }
    QProcess server;
    server.start(QStringLiteral("Xvfb"),
        { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
            QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("320x240x24"),
            QStringLiteral("-noreset") }); // no reset (and dropped connections) between the test's clients
    if (!server.waitForStarted() || !server.waitForReadyRead(10000)) {
        qWarning("Xvfb did not start; the X server cases are not run");
        return status;
    }
    const QByteArray display = server.readLine().trimmed();
    qputenv("DISPLAY", ":" + display);
    qputenv("QT_QPA_PLATFORM", "xcb");
    {
        QApplication application(argc, argv);
        Test test(true);
        status |= QTest::qExec(&test, argc, argv);
    }
    server.terminate();
    server.waitForFinished();
    return status;
}
