#include "platform/desktop/loginservice.h"

#include "platform/desktop/loginitems.h"

namespace platform {

LoginServiceStatus LoginService::status() const { return LoginItems::current().status(*this); }

LoginResult LoginService::registerService() const { return LoginItems::current().registerService(*this); }

LoginResult LoginService::unregisterService() const { return LoginItems::current().unregisterService(*this); }

void LoginService::openSystemSettingsLoginItems() { LoginItems::current().openSystemSettingsLoginItems(); }

} // namespace platform
