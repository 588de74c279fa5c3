#pragma once

#include "tavrin/idatastore.h"

#include <atomic>

namespace tavrin {

/// The in-memory data store: entries on a concurrent queue of their own (`VZDictionary`); only the
/// map is guarded, the entries are read and changed on the caller's thread. `add`, the removals of
/// single keys and the writes of `merge` return before they have run, yet every later call on the
/// same store sees them.
class DataStore : public IDataStore {
public:
    DataStore();

    IdentifierMap &data() override { return m_data; }
    const IdentifierMap &data() const override { return m_data; }
    std::int64_t historySize() const override { return m_historySize; }
    void setHistorySize(std::int64_t size) override;

    std::shared_ptr<Identifier> identifier(const QString &id) const override;
    /// The resolved entry if it is a T.
    template <typename T> std::shared_ptr<T> identifierAs(const QString &id) const
    {
        return std::dynamic_pointer_cast<T>(identifier(id));
    }
    void removeAll() override;
    bool contains(const QString &id) const override;
    bool hasHistory(const QString &id) const override;
    void add(std::shared_ptr<Identifier> entry) override;
    void removeIdentifier(const QString &id) override;
    void removeEntry(const Identifier &entry) override;
    void merge(const IDataStore &other) override;

    void setNumber(const QString &id, std::optional<platform::Number> number) override;
    void setString(const QString &id, std::optional<QString> text) override;
    void setString(const QString &id, std::optional<QString> text, const platform::Number &rawValue) override;

    std::optional<std::vector<platform::Number>> history(const QString &id) const override;
    std::optional<platform::Number> min(const QString &id) const override;
    std::optional<platform::Number> max(const QString &id) const override;

    std::optional<platform::Number> value(const QString &id) const override;
    QString text(const QString &id) const override;

private:
    IdentifierMap m_data;
    std::atomic<std::int64_t> m_historySize { 60 };
};

} // namespace tavrin
