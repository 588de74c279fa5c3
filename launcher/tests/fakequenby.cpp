// Stands in for Quenby in the hand-over tests: run as <tmp>/Quenby.app/Contents/MacOS/Quenby, it does
// the application's side of the hand-over at start and then idles until it is terminated.
// QUENBY_FAKE_APP_LOG names a file that gets one line per step; QUENBY_FAKE_APP_HANDOVER=0 skips the
// hand-over, so a launcher keeps waiting.
#include "olvane/loginitemautostartcontroller.h"
#include "platform/core/bundle.h"

#include <QCoreApplication>
#include <QFile>

namespace {
void log(const QByteArray &line)
{
    QFile file(qEnvironmentVariable("QUENBY_FAKE_APP_LOG"));
    if (file.fileName().isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    file.write(line + ' ' + QByteArray::number(QCoreApplication::applicationPid()) + '\n');
}
}

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    log("started");
    if (qEnvironmentVariable("QUENBY_FAKE_APP_HANDOVER") != QLatin1String("0")) {
        const QString identifier = platform::Bundle::main().bundleIdentifier();
        olvane::LoginItemAutoStartController controller(identifier.isEmpty() ? std::nullopt : std::optional(identifier),
            QStringLiteral("com.velmorn.quenbylauncher"));
        controller.takeOverFromLauncher();
        log("handed over");
    }
    log("ready");
    return application.exec();
}
