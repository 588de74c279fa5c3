#include "dbusmock.h"
#include "platform/desktop/linuxworkspace.h"

#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>

using namespace platform;

// Sleep and wake come from logind's PrepareForSleep on the system bus (here a private bus with
// python-dbusmock's logind).
class SleepWakeTest : public QObject {
    Q_OBJECT

    bool prepareForSleep(DBusMock &mock, bool sleeping)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"),
            QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.DBus.Mock"),
            QStringLiteral("EmitSignal"));
        call << QStringLiteral("org.freedesktop.login1.Manager") << QStringLiteral("PrepareForSleep")
             << QStringLiteral("b") << QVariantList { QVariant::fromValue(QDBusVariant(sleeping)) };
        return mock.bus().call(call).type() == QDBusMessage::ReplyMessage;
    }

private slots:
    void logindSignalsBecomeSleepAndWake()
    {
        DBusMock mock;
        QVERIFY2(mock.startBus(), qPrintable(mock.error()));
        QVERIFY2(mock.startTemplate(QStringLiteral("logind"), QStringLiteral("org.freedesktop.login1")),
            qPrintable(mock.error()));
        LinuxWorkspace workspace(QStringLiteral("/proc"), mock.bus());
        workspace.watchSleep(mock.bus());
        QSignalSpy sleeps(&workspace, &Workspace::willSleep);
        QSignalSpy wakes(&workspace, &Workspace::didWake);

        QVERIFY(prepareForSleep(mock, true));
        QVERIFY(sleeps.wait(10000));
        QCOMPARE(wakes.count(), 0);
        QVERIFY(prepareForSleep(mock, false));
        QVERIFY(wakes.wait(10000));
        QCOMPARE(sleeps.count(), 1);
        QCOMPARE(wakes.count(), 1);
    }
};

QTEST_GUILESS_MAIN(SleepWakeTest)
#include "sleepwake_test.moc"
