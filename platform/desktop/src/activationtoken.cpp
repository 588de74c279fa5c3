#include "platform/desktop/activationtoken.h"

#include <QtGlobal>

namespace platform {

namespace {
    const char *const kVariable = "XDG_ACTIVATION_TOKEN";
}

QString launchActivationToken()
{
    static const QString token = [] {
        const QString value = qEnvironmentVariable(kVariable);
        qunsetenv(kVariable);
        return value;
    }();
    return token;
}

void adoptActivationToken(const QString &token)
{
    // Qt's Wayland platform presents the variable's token with the next activation and then drops it.
    if (!token.isEmpty())
        qputenv(kVariable, token.toUtf8());
}

} // namespace platform
