#include "apptestsupport.h"
#include "quenby/contentviewcontroller.h"
#include "quenby/devicesviewcontroller.h"
#include "quenby/internalviewcontroller.h"
#include "quenby/moredevicesviewcontroller.h"
#include "quenby/settingsviewcontroller.h"
#include "quenby/splitviewcontroller.h"

#include <dorsk/sentrel.h>

#include <QPushButton>
#include <QTest>

using namespace apptest;

namespace {

QString text(const char *key) { return platform::localized(QStringLiteral("QuenbyApp"), QString::fromLatin1(key)); }

} // namespace

class PagesTest : public QObject {
    Q_OBJECT

private slots:
    void eachSideBarItemShowsItsPage()
    {
        AppRig rig;
        rig.internal->battery = apptest::battery(80);
        rig.launch();
        quenby::SplitViewController split;
        split.setController(&rig.controller());
        split.show();
        const auto shown = [&split] { return split.contentViewController()->currentViewController(); };
        QVERIFY(qobject_cast<quenby::DevicesViewController *>(shown()));
        split.showPage(text("INTERNAL_BATTERY"));
        auto *internal = qobject_cast<quenby::InternalViewController *>(shown());
        QVERIFY(internal);
        QCOMPARE(internal->controller(), &rig.controller());
        split.showPage(text("SETTINGS"));
        QVERIFY(qobject_cast<quenby::SettingsViewController *>(shown()));
        split.showPage(text("MORE_DEVICES"));
        QVERIFY(qobject_cast<quenby::MoreDevicesViewController *>(shown()));
    }

    void moreDevicesOpensTheDownloadPageEachTime()
    {
        AppRig rig;
        quenby::MoreDevicesViewController page;
        page.openButton()->click();
        page.openButton()->click();
        QCOMPARE(rig.workspace.openedUrls().size(), 2);
        QCOMPARE(rig.workspace.openedUrls().first(), dorsk::Sentrel::downloadPage());
    }
};

QTEST_MAIN(PagesTest)
#include "pages_test.moc"
