#include "olvane/autostartcontrollerfactory.h"
#include "platform/core/plist.h"
#include "platform/core/systemversion.h"
#include "platform/desktop/xdgloginitems.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using platform::Value;

namespace {
const QString kMainId = QStringLiteral("com.velmorn.quenby");
const QString kLauncherId = QStringLiteral("com.velmorn.quenbylauncher");

void makeBundle(const QString &bundlePath, const QString &identifier, const QString &executable)
{
    QVERIFY(QDir().mkpath(bundlePath + "/Contents/MacOS"));
    QFile info(bundlePath + "/Contents/Info.plist");
    QVERIFY(info.open(QIODevice::WriteOnly));
    info.write(platform::plist::serialize(Value(Value::Dictionary { { "CFBundleIdentifier", Value(identifier) },
                                              { "CFBundleExecutable", Value(executable) } }),
        platform::plist::Format::Xml));
    QFile exe(bundlePath + "/Contents/MacOS/" + executable);
    QVERIFY(exe.open(QIODevice::WriteOnly));
    exe.write("#!/bin/sh\n");
    exe.setPermissions(exe.permissions() | QFile::ExeOwner);
}
}

// Both families on the desktop's autostart folder: an older system's launcher entry is replaced by
// the application's own entry at the first start on a newer one.
class XdgAutoStartTest : public QObject {
    Q_OBJECT
private slots:
    void launcherEntryMovesToTheApplication()
    {
        QTemporaryDir root;
        const QString app = root.path() + "/Quenby.app";
        makeBundle(app, kMainId, "Quenby");
        makeBundle(app + "/Contents/Library/LoginItems/QuenbyLauncher.app", kLauncherId, "QuenbyLauncher");
        platform::XdgLoginItems items(app, root.path() + "/autostart");
        platform::ScopedLoginItems guard(items);
        const QString launcherEntry = root.path() + "/autostart/com.velmorn.quenbylauncher.desktop";
        const QString mainEntry = root.path() + "/autostart/com.velmorn.quenby.desktop";

        {
            platform::ScopedSystemVersion older(12, 6);
            const auto controller = olvane::makeAutoStartController(kMainId, kLauncherId);
            controller->enable();
            QVERIFY(controller->isEnabled());
            QVERIFY(QFile::exists(launcherEntry));
            QVERIFY(!QFile::exists(mainEntry));
        }

        platform::ScopedSystemVersion newer(13, 0);
        const auto controller = olvane::makeAutoStartController(kMainId, kLauncherId);
        QVERIFY(!controller->isEnabled());
        controller->takeOverFromLauncher();
        QVERIFY(!QFile::exists(launcherEntry));
        QVERIFY(QFile::exists(mainEntry));
        QVERIFY(controller->isEnabled());

        // Once moved, a later start has nothing to move and leaves the application's entry alone.
        controller->takeOverFromLauncher();
        QVERIFY(controller->isEnabled());
        controller->disable();
        QVERIFY(!QFile::exists(mainEntry));
        QVERIFY(!controller->isEnabled());
    }
};

QTEST_GUILESS_MAIN(XdgAutoStartTest)
#include "xdgautostart_test.moc"
