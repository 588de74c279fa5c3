#include "tavrin/datastore.h"

#include "tavrin/numberidentifier.h"
#include "tavrin/stringidentifier.h"
#include "tavrin/wrappedidentifier.h"

namespace tavrin {

DataStore::DataStore()
    : m_data(ThreadingType::Concurrent)
{
}

void DataStore::setHistorySize(std::int64_t size)
{
    m_historySize = size;
    for (const auto &entry : m_data.values())
        if (auto *history = dynamic_cast<HistoryProvider *>(entry.get()))
            history->setHistorySize(size);
}

std::shared_ptr<Identifier> DataStore::identifier(const QString &id) const
{
    const auto stored = m_data.value(id).value_or(nullptr);
    if (const auto *alias = dynamic_cast<const WrappedIdentifier *>(stored.get()))
        return m_data.value(alias->wrappedIdentifier()).value_or(nullptr);
    return stored;
}

void DataStore::removeAll() { m_data.removeAll(); }

bool DataStore::contains(const QString &id) const { return m_data.contains(id); }

bool DataStore::hasHistory(const QString &id) const { return history(id).has_value(); }

void DataStore::add(std::shared_ptr<Identifier> entry)
{
    if (!entry)
        return;
    if (auto *history = dynamic_cast<HistoryProvider *>(entry.get()))
        history->setHistorySize(m_historySize);
    const QString key = entry->identifier();
    m_data.setValue(key, std::move(entry));
}

void DataStore::removeIdentifier(const QString &id) { m_data.removeValue(id); }

void DataStore::removeEntry(const Identifier &entry) { m_data.removeValue(entry.identifier()); }

void DataStore::merge(const IDataStore &other)
{
    if (&other == this)
        return;
    for (const auto &[key, entry] : other.data())
        m_data.setValue(key, entry);
}

void DataStore::setNumber(const QString &id, std::optional<platform::Number> number)
{
    const auto stored = m_data.value(id).value_or(nullptr);
    if (auto *numeric = dynamic_cast<NumberIdentifier *>(stored.get()))
        numeric->setNumber(number);
}

void DataStore::setString(const QString &id, std::optional<QString> text)
{
    const auto stored = m_data.value(id).value_or(nullptr);
    if (auto *textual = dynamic_cast<StringIdentifier *>(stored.get()))
        textual->setString(std::move(text));
}

void DataStore::setString(const QString &id, std::optional<QString> text, const platform::Number &rawValue)
{
    const auto stored = m_data.value(id).value_or(nullptr);
    if (auto *textual = dynamic_cast<StringIdentifier *>(stored.get()))
        textual->setString(std::move(text), rawValue);
}

std::optional<std::vector<platform::Number>> DataStore::history(const QString &id) const
{
    const auto entry = identifier(id);
    if (const auto *h = dynamic_cast<const HistoryProvider *>(entry.get()))
        return h->history();
    return std::nullopt;
}

std::optional<platform::Number> DataStore::min(const QString &id) const
{
    const auto entry = identifier(id);
    if (const auto *m = dynamic_cast<const MinValueProvider *>(entry.get()))
        return m->min();
    return std::nullopt;
}

std::optional<platform::Number> DataStore::max(const QString &id) const
{
    const auto entry = identifier(id);
    if (const auto *m = dynamic_cast<const MaxValueProvider *>(entry.get()))
        return m->max();
    return std::nullopt;
}

std::optional<platform::Number> DataStore::value(const QString &id) const
{
    const auto entry = identifier(id);
    if (const auto *numeric = dynamic_cast<const NumberIdentifier *>(entry.get()))
        return numeric->value();
    if (const auto *textual = dynamic_cast<const StringIdentifier *>(entry.get()))
        return textual->value();
    return std::nullopt;
}

QString DataStore::text(const QString &id) const
{
    const auto entry = identifier(id);
    if (const auto *numeric = dynamic_cast<const NumberIdentifier *>(entry.get()))
        return numeric->text();
    if (const auto *textual = dynamic_cast<const StringIdentifier *>(entry.get()))
        return textual->text();
    return QStringLiteral("-");
}

} // namespace tavrin
