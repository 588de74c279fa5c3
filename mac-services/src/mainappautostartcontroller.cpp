#include "olvane/mainappautostartcontroller.h"

namespace olvane {

using platform::LoginService;
using platform::LoginServiceStatus;

MainAppAutoStartController::MainAppAutoStartController(
    std::optional<QString> starterIdentifier, platform::LoginService mainItem)
    : m_starterIdentifier(std::move(starterIdentifier))
    , m_mainItem(std::move(mainItem))
{
}

MainAppAutoStartController::MainAppAutoStartController(platform::LoginService mainItem)
    : MainAppAutoStartController(std::nullopt, std::move(mainItem))
{
}

bool MainAppAutoStartController::isEnabled() const
{
    return LoginService::mainApp().status() == LoginServiceStatus::Enabled;
}

void MainAppAutoStartController::takeOverFromLauncher()
{
    if (!m_starterIdentifier)
        return;
    const LoginService old = LoginService::loginItem(*m_starterIdentifier);
    const LoginService main = LoginService::mainApp();
    if (old.status() != LoginServiceStatus::Enabled)
        return;
    old.unregisterService();
    main.registerService();
}

void MainAppAutoStartController::setEnabled(bool enabled)
{
    if (m_mainItem.status() == LoginServiceStatus::RequiresApproval) {
        LoginService::openSystemSettingsLoginItems();
        return;
    }
    if (enabled)
        m_mainItem.registerService();
    else
        m_mainItem.unregisterService();
}

void MainAppAutoStartController::enable() { m_mainItem.registerService(); }

void MainAppAutoStartController::disable() { m_mainItem.unregisterService(); }

} // namespace olvane
