// Takes screenshots of the main window's pages, the rename sheet, the about panel and the first-start
// hint on a simulated machine, to look at them (run it on an X server such as Xvfb):
//
//   quenby_windowshots FIXTURE OUTPUT_FOLDER [dark]
//
// "dark" gives the application a dark palette and appearance before anything is shown. Settings go to
// a fresh folder, so the first-start hint shows.

#include "darkdesktoppalette.h"
#include "quenby/appdelegate.h"
#include "quenby/contentviewcontroller.h"
#include "quenby/controller.h"
#include "quenby/devicecell.h"
#include "quenby/devicesviewcontroller.h"
#include "quenby/nameviewcontroller.h"
#include "quenby/simulatedmachine.h"
#include "quenby/splitviewcontroller.h"
#include "quenby/windowcontroller.h"

#include <pirrow/about.h>
#include <pirrow/gradientdialog.h>
#include <platform/core/bundle.h>
#include <platform/core/mainqueue.h>
#include <platform/ui/systemappearance.h>
#include <platform/ui/window.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <QToolButton>

#include <cstdio>

namespace {

void settle(int ms = 400)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

void shoot(const QString &folder, const QString &name)
{
    settle();
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    shot.save(path);
    std::printf("%s\n", qPrintable(path));
}

QString text(const char *key) { return platform::localized(QStringLiteral("QuenbyApp"), QString::fromLatin1(key)); }

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: quenby_windowshots FIXTURE OUTPUT_FOLDER [dark]\n");
        return 2;
    }
    const QString folder = args.at(2);
    QDir().mkpath(folder);
    const bool dark = args.size() > 3 && args.at(3) == QStringLiteral("dark");
    std::optional<platform::ui::ScopedAppearance> look;
    if (dark) {
        QApplication::setPalette(darkDesktopPalette());
        look.emplace(platform::ui::Appearance::darkAqua());
    }

    quenby::SimulatedMachine machine(args.at(1));
    quenby::AppDelegate delegate(std::make_unique<quenby::Controller>(machine.collaborators()));
    delegate.applicationDidFinishLaunching();
    settle(800);
    shoot(folder, QStringLiteral("first-start"));
    if (auto *window = pirrow::GradientDialog::shared().window())
        window->close();
    settle();

    delegate.open();
    quenby::WindowController *window = delegate.windowController();
    window->resize(900, 620);
    window->move(40, 40);
    auto *split = window->contentViewController();
    for (const char *key : { "MY_DEVICES", "INTERNAL_BATTERY", "SETTINGS", "MORE_DEVICES" }) {
        split->showPage(text(key));
        shoot(folder, QStringLiteral("page-") + QString::fromLatin1(key).toLower());
    }

    split->showPage(text("MY_DEVICES"));
    settle();
    auto *devices = dynamic_cast<quenby::DevicesViewController *>(split->contentViewController()->currentViewController());
    if (devices && !devices->cells().isEmpty()) {
        devices->cells().first()->gearButton()->click();
        settle();
        if (auto *sheet = window->findChild<quenby::NameViewController *>())
            sheet->textField()->setText(QStringLiteral("Office keyboard"));
        shoot(folder, QStringLiteral("rename-sheet"));
        if (auto *sheet = window->findChild<quenby::NameViewController *>())
            sheet->reject();
    }
    window->hide();
    settle();

    // This program lies beside the application bundle, not in it: the panel reads the bundle's information.
    const auto about = [] {
        pirrow::About::show(quenby::AppDelegate::aboutInformation(platform::Bundle(
                                QCoreApplication::applicationDirPath() + QStringLiteral("/Quenby.app"))),
            text("PRIVACY_POLICY"));
    };
    about();
    shoot(folder, QStringLiteral("about"));
    if (auto *dialog = pirrow::GradientDialog::shared().window())
        dialog->close();
    settle();
    platform::Bundle::setPreferredLanguages({ QStringLiteral("de") });
    about();
    shoot(folder, QStringLiteral("about-de"));
    return 0;
}
