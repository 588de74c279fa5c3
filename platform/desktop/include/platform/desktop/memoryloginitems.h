#pragma once

#include "platform/desktop/loginitems.h"

#include <QStringList>

#include <map>

namespace platform {

/// Login items kept in memory: scriptable and observable for tests.
///
/// Every login item (by identifier) and the main application have a status, `NotRegistered` until
/// set. `setLoginItemEnabled` makes a login item `Enabled` or `NotRegistered`; registering makes a
/// service `Enabled` (a service that requires approval stays so; one not found fails), unregistering
/// makes it `NotRegistered`. The job dictionaries list every enabled login item as
/// {"Label": identifier, "OnDemand": true}, in identifier order, unless a list was scripted.
/// Every call is recorded in `calls()`, in order, as "setLoginItemEnabled <id> <true|false>",
/// "register <service>", "unregister <service>" and "openSystemSettingsLoginItems", where
/// <service> is "main" or the login item's identifier. Reads are not recorded.
class MemoryLoginItems final : public LoginItems {
public:
    bool setLoginItemEnabled(const QString &identifier, bool enabled) override;
    std::optional<Value> jobDictionaries() const override;
    LoginServiceStatus status(const LoginService &service) const override;
    LoginResult registerService(const LoginService &service) override;
    LoginResult unregisterService(const LoginService &service) override;
    void openSystemSettingsLoginItems() override;

    /// Sets a status without recording a call.
    void setStatus(const LoginService &service, LoginServiceStatus status);
    /// Replaces the job dictionaries by this value (any shape, or none) until `clearScriptedJobs`.
    void setJobDictionaries(std::optional<Value> jobs);
    void clearScriptedJobs();
    /// Makes registering (or unregistering) that service fail with this error and change nothing;
    /// an empty error lets it succeed again.
    void setRegisterError(const LoginService &service, const QString &error);
    void setUnregisterError(const LoginService &service, const QString &error);

    QStringList calls() const { return m_calls; }
    void clearCalls() { m_calls.clear(); }
    int openSettingsCount() const;

private:
    static QString key(const LoginService &service);

    std::map<QString, LoginServiceStatus> m_status;
    std::map<QString, QString> m_registerErrors;
    std::map<QString, QString> m_unregisterErrors;
    bool m_scriptedJobs = false;
    std::optional<Value> m_jobs;
    QStringList m_calls;
};

} // namespace platform
