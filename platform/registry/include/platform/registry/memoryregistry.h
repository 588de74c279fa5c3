#pragma once

#include "platform/registry/registry.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

/// A registry held in memory: built entry by entry or loaded from a JSON fixture, changeable at any
/// time, observable (live handles, queries per class) and able to fail on request.
///
/// Registry order is the order of a depth-first walk over the tree, children in the order they were
/// added. Entries read live: a property changed after a handle was taken is seen through that handle.
class MemoryRegistry final : public Registry {
public:
    using EntryId = std::uint64_t;

    struct Entry {
        QString className;
        /// Superclasses of `className`, nearest first; matching by any of them finds the entry.
        QStringList superclasses;
        /// The entry's name; empty means the class name.
        QString name;
        Value::Dictionary properties;
    };

    MemoryRegistry();
    ~MemoryRegistry() override;
    MemoryRegistry(const MemoryRegistry &) = delete;
    MemoryRegistry &operator=(const MemoryRegistry &) = delete;

    std::optional<std::vector<RegistryEntry>> matchingServices(const QString &className) override;

    /// Adds an entry under `parent` (0: a root entry) and returns its id (ids start at 1 and are never
    /// reused). An unknown parent adds nothing and returns 0.
    EntryId addEntry(Entry entry, EntryId parent = 0);
    /// Removes the entry with all its descendants; handles on them then read as unreadable.
    void removeEntry(EntryId id);
    void setProperty(EntryId id, const QString &key, Value value);
    void removeProperty(EntryId id, const QString &key);
    /// Removes every entry; counters and injected failures stay.
    void clear();

    /// Adds the entries of the "registry" section of a fixture document (an object; a document without
    /// that section adds nothing). All or nothing: a malformed section throws DecodingError and leaves
    /// the registry as it was. The format is described in docs/decisions.md.
    void loadFixture(const Value &document);
    /// Reads and parses a JSON fixture file, then loads it as above. Throws DecodingError when the
    /// file cannot be read or is not JSON.
    void loadFixtureFile(const QString &path);

    /// The first entry in registry order with this name.
    std::optional<EntryId> entryNamed(const QString &name) const;
    /// The entries whose class is `className` or derives from it, in registry order.
    std::vector<EntryId> entriesOfClass(const QString &className) const;

    /// Failure injection: queries for `className` fail; the entry's properties cannot be read; the step
    /// from the entry to its parent fails.
    void setQueryFails(const QString &className, bool fails = true);
    void setPropertiesUnreadable(EntryId id, bool unreadable = true);
    void setParentUnreachable(EntryId id, bool unreachable = true);

    /// References handed out and not yet released (a handle and its copies are one reference).
    int liveHandles() const;
    /// Matching queries made for `className` (failed ones included).
    int queryCount(const QString &className) const;
    int totalQueries() const;
    /// Property reads, whole dictionaries and single keys alike.
    int propertyReads() const;
    void resetCounters();

    struct State;

private:
    std::shared_ptr<State> m_state;
};

} // namespace platform
