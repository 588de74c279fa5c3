#include "platform/desktop/memoryloginitems.h"

namespace platform {

namespace {
    QString describe(const LoginService &service)
    {
        return service.kind() == LoginService::Kind::MainApp ? QStringLiteral("main") : service.identifier();
    }
}

QString MemoryLoginItems::key(const LoginService &service)
{
    // The main application keeps the empty key, which no login item can have.
    return service.kind() == LoginService::Kind::MainApp ? QString() : service.identifier();
}

bool MemoryLoginItems::setLoginItemEnabled(const QString &identifier, bool enabled)
{
    m_calls << QStringLiteral("setLoginItemEnabled %1 %2").arg(identifier, enabled ? "true" : "false");
    m_status[identifier] = enabled ? LoginServiceStatus::Enabled : LoginServiceStatus::NotRegistered;
    return true;
}

std::optional<Value> MemoryLoginItems::jobDictionaries() const
{
    if (m_scriptedJobs)
        return m_jobs;
    Value::Array jobs;
    for (const auto &[identifier, status] : m_status) {
        if (!identifier.isEmpty() && status == LoginServiceStatus::Enabled)
            jobs.push_back(Value(Value::Dictionary {
                { QStringLiteral("Label"), Value(identifier) }, { QStringLiteral("OnDemand"), Value(true) } }));
    }
    return Value(std::move(jobs));
}

LoginServiceStatus MemoryLoginItems::status(const LoginService &service) const
{
    const auto it = m_status.find(key(service));
    return it == m_status.end() ? LoginServiceStatus::NotRegistered : it->second;
}

LoginResult MemoryLoginItems::registerService(const LoginService &service)
{
    m_calls << QStringLiteral("register %1").arg(describe(service));
    if (const auto it = m_registerErrors.find(key(service)); it != m_registerErrors.end())
        return LoginResult::failure(it->second);
    switch (status(service)) {
    case LoginServiceStatus::NotFound:
        return LoginResult::failure(QStringLiteral("%1: no such login service").arg(describe(service)));
    case LoginServiceStatus::RequiresApproval:
        return LoginResult::success();
    case LoginServiceStatus::NotRegistered:
    case LoginServiceStatus::Enabled:
        break;
    }
    m_status[key(service)] = LoginServiceStatus::Enabled;
    return LoginResult::success();
}

LoginResult MemoryLoginItems::unregisterService(const LoginService &service)
{
    m_calls << QStringLiteral("unregister %1").arg(describe(service));
    if (const auto it = m_unregisterErrors.find(key(service)); it != m_unregisterErrors.end())
        return LoginResult::failure(it->second);
    if (status(service) == LoginServiceStatus::NotFound)
        return LoginResult::failure(QStringLiteral("%1: no such login service").arg(describe(service)));
    m_status[key(service)] = LoginServiceStatus::NotRegistered;
    return LoginResult::success();
}

void MemoryLoginItems::openSystemSettingsLoginItems() { m_calls << QStringLiteral("openSystemSettingsLoginItems"); }

void MemoryLoginItems::setStatus(const LoginService &service, LoginServiceStatus status)
{
    m_status[key(service)] = status;
}

void MemoryLoginItems::setJobDictionaries(std::optional<Value> jobs)
{
    m_scriptedJobs = true;
    m_jobs = std::move(jobs);
}

void MemoryLoginItems::clearScriptedJobs()
{
    m_scriptedJobs = false;
    m_jobs.reset();
}

void MemoryLoginItems::setRegisterError(const LoginService &service, const QString &error)
{
    if (error.isEmpty())
        m_registerErrors.erase(key(service));
    else
        m_registerErrors[key(service)] = error;
}

void MemoryLoginItems::setUnregisterError(const LoginService &service, const QString &error)
{
    if (error.isEmpty())
        m_unregisterErrors.erase(key(service));
    else
        m_unregisterErrors[key(service)] = error;
}

int MemoryLoginItems::openSettingsCount() const
{
    return int(m_calls.count(QStringLiteral("openSystemSettingsLoginItems")));
}

} // namespace platform
