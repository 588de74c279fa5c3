// Quenby: the battery monitor for the desktop's status bar.
//
//   Quenby                  runs on this computer's devices
//   Quenby --fixture FILE   runs on the simulated machine FILE (re-read whenever it changes)
//   Quenby --help, --version  answer on the terminal, without a display

#include <platform/core/coding.h>
#include <quenby/appdelegate.h>
#include <quenby/controller.h>
#include <quenby/simulatedmachine.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <cstdio>
#include <memory>

namespace {
// Answers --help and --version (which print and exit) and rejects unknown options, before anything
// needs a display.
void answerOnTheTerminal(int argc, char *argv[], QCommandLineParser &parser)
{
    QCoreApplication terminal(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(QUENBY_VERSION));
    parser.process(terminal);
}
}

int main(int argc, char *argv[])
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Battery levels of this computer and its accessories."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption fixture(QStringLiteral("fixture"),
        QStringLiteral("Run on the simulated machine described by <file> instead of this computer's devices."),
        QStringLiteral("file"));
    parser.addOption(fixture);
    answerOnTheTerminal(argc, argv, parser);

    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationVersion(QStringLiteral(QUENBY_VERSION));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("com.velmorn.quenby"),
        QIcon(QCoreApplication::applicationDirPath() + QStringLiteral("/../Resources/com.velmorn.quenby.svg"))));

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
