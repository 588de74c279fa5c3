// The program's last moments: the application object goes while the status strip, the main window and
// a gradient dialog are still there. Each case makes and destroys its own QApplication, so this test
// has no application of its own.

#include "quenby/appdelegate.h"
#include "quenby/controller.h"
#include "quenby/simulatedmachine.h"
#include "quenby/windowcontroller.h"

#include <pirrow/about.h>
#include <pirrow/gradientdialog.h>
#include <platform/core/bundle.h>
#include <platform/core/mainqueue.h>
#include <platform/ui/statusbar.h>
#include <platform/ui/stripstatusbarpresenter.h>
#include <platform/ui/window.h>

#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

class TeardownTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("QT_QPA_PLATFORM", "offscreen"); }

    void theApplicationGoesWithItsWindowsOpen_data()
    {
        QTest::addColumn<bool>("quitThroughTheLoop");
        QTest::newRow("returning from main") << false;
        QTest::newRow("after the event loop quit") << true;
    }
    void theApplicationGoesWithItsWindowsOpen()
    {
        QFETCH(bool, quitThroughTheLoop);
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        QPointer<QWidget> strip;
        QPointer<platform::ui::StatusBar> bar;
        {
            static char name[] = "quenby_teardown_test";
            static char *argv[] = { name, nullptr };
            int argc = 1;
            QApplication app(argc, argv);
            QApplication::setQuitOnLastWindowClosed(false);

            // The offscreen platform has no tray and no strip of its own: give the process's bar the
            // strip a desktop without a tray gets.
            bar = &platform::ui::StatusBar::system();
            bar->setPresenter(std::make_unique<platform::ui::StripStatusBarPresenter>(*bar));
            strip = static_cast<platform::ui::StripStatusBarPresenter *>(bar->presenter())->window();
            QVERIFY(strip);

            quenby::SimulatedMachine machine(QStringLiteral(QUENBY_SOURCE_DIR "/demo/desk.json"));
            {
                quenby::AppDelegate delegate(std::make_unique<quenby::Controller>(machine.collaborators()));
                delegate.applicationDidFinishLaunching();
                platform::MainQueue::drain();
                QVERIFY(strip->isVisible());
                // The first-start hint is open; "About" leaves it there.
                QVERIFY(pirrow::GradientDialog::shared().window());
                // This test lies beside the application bundle, not in it.
                pirrow::About::show(quenby::AppDelegate::aboutInformation(platform::Bundle(
                                        QCoreApplication::applicationDirPath() + QStringLiteral("/Quenby.app"))),
                    QString());
                delegate.open();
                QVERIFY(delegate.windowController()->isVisible());
                if (quitThroughTheLoop) {
                    QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
                    QApplication::exec();
                }
            }
            // Quitting closes the application's windows itself; returning from main leaves them open.
            QCOMPARE(pirrow::GradientDialog::shared().window() != nullptr, !quitThroughTheLoop);
        }
        // Reaching here is most of the point; the strip went with the application, not after it.
        QVERIFY(!bar);
        QVERIFY(!strip);
        QVERIFY(!pirrow::GradientDialog::shared().window());
    }
};

QTEST_APPLESS_MAIN(TeardownTest)
#include "teardown_test.moc"
