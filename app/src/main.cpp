// Quenby: the battery monitor for the desktop's status bar.
//
//   Quenby                  runs on this computer's devices
//   Quenby --fixture FILE   runs on the simulated machine FILE (re-read whenever it changes)

#include <platform/core/coding.h>
#include <quenby/appdelegate.h>
#include <quenby/controller.h>
#include <quenby/simulatedmachine.h>

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Battery levels of this computer and its accessories."));
    parser.addHelpOption();
    const QCommandLineOption fixture(QStringLiteral("fixture"),
        QStringLiteral("Run on the simulated machine described by <file> instead of this computer's devices."),
        QStringLiteral("file"));
    parser.addOption(fixture);
    parser.process(app);

    // The one place that chooses between the computer's own devices and a simulated machine; everything
    // below works on whatever is current.
    std::unique_ptr<quenby::SimulatedMachine> machine;
    quenby::Controller::Collaborators collaborators;
    if (parser.isSet(fixture)) {
        try {
            machine = std::make_unique<quenby::SimulatedMachine>(parser.value(fixture));
        } catch (const platform::DecodingError &error) {
            std::fprintf(stderr, "Quenby: %s\n", error.what());
            return 1;
        }
        QObject::connect(machine.get(), &quenby::SimulatedMachine::reloadFailed,
            [](const QString &error) { std::fprintf(stderr, "Quenby: %s\n", qPrintable(error)); });
        machine->watch();
        collaborators = machine->collaborators();
    }

    quenby::AppDelegate delegate(std::make_unique<quenby::Controller>(std::move(collaborators)));
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &delegate, &quenby::AppDelegate::applicationWillTerminate);
    delegate.applicationDidFinishLaunching();
    return QApplication::exec();
}
