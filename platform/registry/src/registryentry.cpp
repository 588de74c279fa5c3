#include "platform/registry/registryentry.h"

namespace platform {

RegistryEntry::RegistryEntry(std::shared_ptr<RegistryEntryBackend> backend)
    : m_backend(std::move(backend))
{
}

std::uint64_t RegistryEntry::entryId() const { return m_backend ? m_backend->entryId() : 0; }

QString RegistryEntry::name() const { return m_backend ? m_backend->name() : QString(); }

QString RegistryEntry::className() const
{
    if (!m_backend)
        return {};
    const QStringList chain = m_backend->classChain();
    return chain.isEmpty() ? QString() : chain.front();
}

bool RegistryEntry::conformsTo(const QString &className) const
{
    return m_backend && m_backend->classChain().contains(className);
}

std::optional<Value::Dictionary> RegistryEntry::properties() const
{
    if (!m_backend)
        return std::nullopt;
    return m_backend->properties();
}

std::optional<Value> RegistryEntry::property(const QString &key) const
{
    if (!m_backend)
        return std::nullopt;
    return m_backend->property(key);
}

RegistryEntry RegistryEntry::parent(const QString &plane) const
{
    if (!m_backend)
        return {};
    return RegistryEntry(m_backend->parent(plane));
}

} // namespace platform
