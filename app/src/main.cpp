// Quenby: the battery monitor for the desktop's status bar.
//
//   Quenby                  runs on this computer's devices
//   Quenby --fixture FILE   runs on the simulated machine FILE (re-read whenever it changes)
//   Quenby --help, --version  answer on the terminal, without a display

#include <platform/core/bundle.h>
#include <platform/core/coding.h>
#include <platform/core/userdefaults.h>
#include <platform/desktop/uniqueapplication.h>
#include <platform/ui/desktopsession.h>
#include <platform/ui/statusbar.h>
#include <platform/ui/statusbarpresenter.h>
#include <platform/ui/systemappearance.h>
#include <platform/ui/themeiconreader.h>
#include <quenby/appdelegate.h>
#include <quenby/baseview.h>
#include <quenby/controller.h>
#include <quenby/simulatedmachine.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QFontDatabase>
#include <QIcon>
#include <QProcessEnvironment>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <memory>
#include <vector>

namespace {
// Answers --help and --version (which print and exit) and rejects unknown options, before anything
// needs a display. A line with none of those is read without an application object (making one and
// dropping it delays every start).
void answerOnTheTerminal(int argc, char *argv[], QCommandLineParser &parser, const QCommandLineOption &fixture)
{
    QStringList line;
    for (int i = 0; i < argc; ++i)
        line.append(QString::fromLocal8Bit(argv[i]));
    if (parser.parse(line)) {
        const QStringList found = parser.optionNames();
        if (std::all_of(
                found.begin(), found.end(), [&](const QString &name) { return fixture.names().contains(name); }))
            return;
    }
    QCoreApplication terminal(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(QUENBY_VERSION));
    parser.process(terminal);
}

// Qt stops a program that finds no display with a core dump, after a screenful of advice. While the
// application object is made, messages are held back: a start without a display ends with one line and
// status 1, any other start passes them on as they came.
struct HeldMessage {
    QtMsgType type;
    // Qt's message contexts point at static texts, so the pointers stay good.
    const char *file;
    int line;
    const char *function;
    const char *category;
    QString text;
};
QtMessageHandler s_passOn = nullptr;
std::vector<HeldMessage> s_held;

void holdStartMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtFatalMsg) {
        s_held.push_back({ type, context.file, context.line, context.function, context.category, text });
        return;
    }
    QString reason;
    for (const HeldMessage &held : s_held) {
        if (held.category && qstrncmp(held.category, "qt.qpa", 6) == 0) {
            reason = held.text;
            break;
        }
    }
    reason = reason.section(u'\n', 0, 0).trimmed();
    std::fprintf(stderr, "Quenby: no display found%s\n",
        reason.isEmpty() ? "" : qPrintable(QStringLiteral(" (%1)").arg(reason)));
    std::fflush(stderr);
    std::_Exit(1);
}

void passOnStartMessages()
{
    qInstallMessageHandler(s_passOn);
    for (const HeldMessage &held : s_held) {
        const QMessageLogContext context(held.file, held.line, held.function, held.category);
        if (s_passOn)
            s_passOn(held.type, context, held.text);
    }
    s_held.clear();
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
    answerOnTheTerminal(argc, argv, parser, fixture);

    // The platform the status bar needs (XWayland on a Wayland session that has it); a -platform the
    // user gave comes later on the line and wins.
    std::vector<char *> arguments(argv, argv + argc);
    QByteArray chosen
        = platform::ui::DesktopSession::platformFor(QProcessEnvironment::systemEnvironment()).toLocal8Bit();
    QByteArray platformOption("-platform");
    if (!chosen.isEmpty())
        arguments.insert(arguments.begin() + 1, { platformOption.data(), chosen.data() });
    int count = int(arguments.size());
    arguments.push_back(nullptr);
    s_passOn = qInstallMessageHandler(holdStartMessage);
    QApplication app(count, arguments.data());
    passOnStartMessages();
    QApplication::setQuitOnLastWindowClosed(false);
    // Docks, task switchers and notification servers match the windows to the launcher entry by this name
    // (scripts/install names the entry and the icon after the bundle identifier).
    QGuiApplication::setDesktopFileName(platform::Bundle::main().bundleIdentifier());
    QApplication::setApplicationVersion(QStringLiteral(QUENBY_VERSION));
    // The first status items' texts are the first to need the font database, whose reading (fontconfig's
    // configuration and the font list) is done meanwhile on another thread: QFontDatabase is thread-safe.
    // A first text measured and drawn there too leaves the main thread what threads share (the font's
    // fallbacks, the code that lays out text). Waited for before `app` goes.
    const auto fonts = std::async(std::launch::async, [] {
        QFontDatabase::families();
        quenby::BaseView::nameFont().prepare();
    });

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

    // A second start of the bundle hands over to the running copy, which opens its main window, as
    // a second launch of an application does; it shows no status items of its own. The bus's answer
    // is taken below, after what a second start may do as well (nothing it does shows).
    platform::UniqueApplication unique(platform::Bundle::main().bundleIdentifier());

    // The window icon is looked up beside the rest of the start: reading the icon theme is most of what
    // it costs, and nothing before the first refresh's items (whose symbols wait for it) asks the theme.
    // Started once the bus connection is made, which it would slow down.
    platform::ui::ThemeIconReader windowIcon(QStringLiteral("com.velmorn.quenby"),
        QCoreApplication::applicationDirPath() + QStringLiteral("/../Resources/com.velmorn.quenby.svg"));

    // The desktop's tray hosts are asked now, their answers taken when the first status item is made.
    platform::ui::StatusBar::prepareSystem();

    // Menus, windows and the drawn views follow one appearance.
    platform::ui::SystemAppearance::instance().setAppliesPalette(true);

    if (!unique.isPrimary()) {
        if (!unique.activatePrimary())
            std::fprintf(stderr, "Quenby: another copy runs but did not answer\n");
        return 0;
    }

    quenby::AppDelegate delegate(std::make_unique<quenby::Controller>(std::move(collaborators)));
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &delegate, &quenby::AppDelegate::applicationWillTerminate);
    QObject::connect(&unique, &platform::UniqueApplication::activated, &delegate, &quenby::AppDelegate::openMainWindow);
    delegate.applicationDidFinishLaunching();
    // The first status items go to the tray now, not behind what the event loop's first pass has to take.
    if (platform::ui::StatusBarPresenter *presenter = platform::ui::StatusBar::system().presenter())
        presenter->flush();
    QApplication::setWindowIcon(windowIcon.icon());
    const int status = QApplication::exec();
    // Settings kept in memory while they could not be written (a full disk, a held lock) get a last chance.
    platform::UserDefaults::standard().synchronize();
    return status;
}
