#include "olvane/shell.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringDecoder>

namespace olvane {

namespace {

    std::optional<QString> decodeUtf8(const QByteArray &bytes)
    {
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        QString text = decoder.decode(bytes);
        if (decoder.hasError())
            return std::nullopt;
        return text;
    }

} // namespace

ShellOutput Shell::run(const QStringList &arguments)
{
    ShellOutput result;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
    process.setProcessEnvironment(environment);
    // Nobody reads standard error; sending it nowhere keeps a chatty command from filling a pipe and stalling.
    process.setStandardErrorFile(QProcess::nullDevice());
    process.setProgram(QStringLiteral("/bin/bash"));
    process.setArguments(QStringList { QStringLiteral("-c") } + arguments);
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted(-1))
        return result;
    process.waitForFinished(-1);
    result.output = decodeUtf8(process.readAllStandardOutput());
    result.exitCode = process.exitCode();
    result.didExit = process.exitStatus() == QProcess::NormalExit;
    return result;
}

} // namespace olvane
