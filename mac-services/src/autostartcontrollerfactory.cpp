#include "olvane/autostartcontrollerfactory.h"

#include "olvane/loginitemautostartcontroller.h"
#include "olvane/mainappautostartcontroller.h"
#include "platform/core/systemversion.h"
#include "platform/desktop/loginservice.h"

namespace olvane {

std::unique_ptr<IAutoStartController> makeAutoStartController(
    const std::optional<QString> &bundleIdentifier, const QString &starterIdentifier)
{
    if (platform::SystemVersion::current().isAtLeast(13))
        return std::make_unique<MainAppAutoStartController>(starterIdentifier, platform::LoginService::mainApp());
    return std::make_unique<LoginItemAutoStartController>(bundleIdentifier, starterIdentifier);
}

} // namespace olvane
