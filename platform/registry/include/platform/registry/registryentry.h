#pragma once

#include "platform/core/value.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>

namespace platform {

/// The plane in which every service has its provider as parent.
inline constexpr auto kServicePlane = "IOService";

/// What a registry backend supplies for one entry reference. A backend makes a new object each time it
/// hands out an entry; the object is the reference and is released when the last RegistryEntry holding it
/// goes away. Reads happen when asked (an entry that left the registry reads as unreadable), never throw.
class RegistryEntryBackend {
public:
    virtual ~RegistryEntryBackend() = default;

    /// Stable for the entry's lifetime in the registry, never 0.
    virtual std::uint64_t entryId() const = 0;
    virtual QString name() const = 0;
    /// The entry's class first, then its superclasses up to the root class.
    virtual QStringList classChain() const = 0;
    /// All properties, or empty when they cannot be read.
    virtual std::optional<Value::Dictionary> properties() const = 0;
    /// One property, or empty when it is absent or cannot be read.
    virtual std::optional<Value> property(const QString &key) const = 0;
    /// A new reference to the parent in `plane`, or null when there is none or it cannot be reached.
    virtual std::shared_ptr<RegistryEntryBackend> parent(const QString &plane) const = 0;
};

/// A handle on one registry entry, released automatically. Copies share one reference; an entry held
/// by no handle is released. A default-constructed handle is invalid: every read gives empty.
/// Main thread only.
class RegistryEntry {
public:
    RegistryEntry() = default;
    explicit RegistryEntry(std::shared_ptr<RegistryEntryBackend> backend);

    bool isValid() const { return m_backend != nullptr; }
    explicit operator bool() const { return isValid(); }
    /// Releases the reference now; the handle becomes invalid.
    void reset() { m_backend.reset(); }

    /// 0 for an invalid handle.
    std::uint64_t entryId() const;
    QString name() const;
    /// The entry's own class (empty for an invalid handle).
    QString className() const;
    /// Whether the entry's class is `className` or derives from it.
    bool conformsTo(const QString &className) const;

    std::optional<Value::Dictionary> properties() const;
    std::optional<Value> property(const QString &key) const;
    /// The parent in `plane`; invalid when there is none or the step fails.
    RegistryEntry parent(const QString &plane = QString::fromLatin1(kServicePlane)) const;

private:
    std::shared_ptr<RegistryEntryBackend> m_backend;
};

} // namespace platform
