#pragma once

#include "tavrin/identifier.h"
#include "tavrin/infoprovider.h"
#include "tavrin/vzdictionary.h"

#include <QHash>

#include <limits>
#include <memory>
#include <type_traits>

namespace tavrin {

struct QStringHasher {
    std::size_t operator()(const QString &s) const { return qHash(s); }
};

using IdentifierMap = VZDictionary<QString, std::shared_ptr<Identifier>, QStringHasher>;

/// A thread-safe map from identifier strings to shared entries, with one window length for every
/// entry that keeps a history. Lookups follow one level of alias (`WrappedIdentifier`); the setters
/// act only on the entry stored under the very key.
class IDataStore : public InfoProvider {
public:
    virtual IdentifierMap &data() = 0;
    virtual const IdentifierMap &data() const = 0;
    virtual std::int64_t historySize() const = 0;
    /// Resets the window of every stored entry that keeps one.
    virtual void setHistorySize(std::int64_t size) = 0;

    /// The entry under `id`; an alias gives the entry it names (none when that is missing).
    virtual std::shared_ptr<Identifier> identifier(const QString &id) const = 0;
    /// Returns once the store is empty.
    virtual void removeAll() = 0;
    /// Whether the key is present (aliases are not followed).
    virtual bool contains(const QString &id) const = 0;
    virtual bool hasHistory(const QString &id) const = 0;
    /// Sizes the entry's window to the store's, then stores it under its identifier.
    virtual void add(std::shared_ptr<Identifier> entry) = 0;
    virtual void removeIdentifier(const QString &id) = 0;
    /// Removes whatever is stored under the entry's identifier.
    virtual void removeEntry(const Identifier &entry) = 0;
    /// Stores every entry of `other` under the same key, shared, windows untouched.
    virtual void merge(const IDataStore &other) = 0;

    /// The typed setters' common step: sets the number of the numeric entry stored under `id`.
    virtual void setNumber(const QString &id, std::optional<platform::Number> number) = 0;
    /// Sets the text of the text entry stored under `id`.
    virtual void setString(const QString &id, std::optional<QString> text) = 0;
    virtual void setString(const QString &id, std::optional<QString> text, const platform::Number &rawValue) = 0;

    virtual std::optional<std::vector<platform::Number>> history(const QString &id) const = 0;
    virtual std::optional<platform::Number> min(const QString &id) const = 0;
    virtual std::optional<platform::Number> max(const QString &id) const = 0;

    /// Sets the number stored under `id` in T's own type (Int16 to UInt64, `long long`,
    /// `unsigned long long`, float, double; an empty optional clears it).
    template <typename T> void setValue(const QString &id, T value)
    {
        static_assert(isSettable<T>(), "no setter for this type");
        setNumber(id, platform::Number(value));
    }
    template <typename T> void setValue(const QString &id, std::optional<T> value)
    {
        static_assert(isSettable<T>(), "no setter for this type");
        setNumber(id, value ? std::optional<platform::Number>(platform::Number(*value)) : std::nullopt);
    }

    /// Adds `amount` to the number of the resolved entry, read in T, and sets the sum like `setValue`.
    /// Nothing happens without a number, and an integer sum beyond T is refused rather than wrapped.
    template <typename T> void addValue(const QString &id, T amount)
    {
        static_assert(isSettable<T>(), "no setter for this type");
        const auto current = value(id);
        if (!current)
            return;
        const T now = convert<T>(*current);
        T sum {};
        if constexpr (std::is_floating_point_v<T>) {
            sum = now + amount;
        } else if (__builtin_add_overflow(now, amount, &sum)) {
            return;
        }
        setValue(id, sum);
    }

    /// The resolved entry's window, each number converted to T as a C cast would (empty when none).
    template <typename T> std::vector<T> historyOf(const QString &id) const
    {
        std::vector<T> out;
        if (const auto h = history(id))
            for (const auto &n : *h)
                out.push_back(convert<T>(n));
        return out;
    }
    /// The window at single precision, widened (the graphics real type of the original platform).
    std::vector<double> cgFloatHistory(const QString &id) const
    {
        std::vector<double> out;
        for (float f : historyOf<float>(id))
            out.push_back(static_cast<double>(f));
        return out;
    }
    std::vector<std::int8_t> int8History(const QString &id) const { return historyOf<std::int8_t>(id); }
    std::vector<std::int16_t> int16History(const QString &id) const { return historyOf<std::int16_t>(id); }
    std::vector<std::int32_t> int32History(const QString &id) const { return historyOf<std::int32_t>(id); }
    std::vector<std::int64_t> int64History(const QString &id) const { return historyOf<std::int64_t>(id); }
    std::vector<std::uint8_t> uint8History(const QString &id) const { return historyOf<std::uint8_t>(id); }
    std::vector<std::uint16_t> uint16History(const QString &id) const { return historyOf<std::uint16_t>(id); }
    std::vector<std::uint32_t> uint32History(const QString &id) const { return historyOf<std::uint32_t>(id); }
    std::vector<std::uint64_t> uint64History(const QString &id) const { return historyOf<std::uint64_t>(id); }
    std::vector<float> floatHistory(const QString &id) const { return historyOf<float>(id); }
    std::vector<double> doubleHistory(const QString &id) const { return historyOf<double>(id); }

    long long intValue(const QString &id) const { return valueOf<long long>(id); }
    unsigned long long uintValue(const QString &id) const { return valueOf<unsigned long long>(id); }
    std::int8_t int8Value(const QString &id) const { return valueOf<std::int8_t>(id); }
    std::uint8_t uint8Value(const QString &id) const { return valueOf<std::uint8_t>(id); }
    std::int16_t int16Value(const QString &id) const { return valueOf<std::int16_t>(id); }
    std::uint16_t uint16Value(const QString &id) const { return valueOf<std::uint16_t>(id); }
    std::int32_t int32Value(const QString &id) const { return valueOf<std::int32_t>(id); }
    std::uint32_t uint32Value(const QString &id) const { return valueOf<std::uint32_t>(id); }
    std::int64_t int64Value(const QString &id) const { return valueOf<std::int64_t>(id); }
    std::uint64_t uint64Value(const QString &id) const { return valueOf<std::uint64_t>(id); }
    float floatValue(const QString &id) const { return valueOf<float>(id); }
    double doubleValue(const QString &id) const { return valueOf<double>(id); }

    /// The resolved entry's number converted to T; 0 when absent.
    template <typename T> T valueOf(const QString &id) const
    {
        const auto v = value(id);
        return v ? convert<T>(*v) : T(0);
    }

    template <typename T> static T convert(const platform::Number &n)
    {
        if constexpr (std::is_same_v<T, float>)
            return n.floatValue();
        else if constexpr (std::is_same_v<T, double>)
            return n.doubleValue();
        else if constexpr (std::is_signed_v<T>)
            return static_cast<T>(n.longLongValue());
        else
            return static_cast<T>(n.unsignedLongLongValue());
    }

private:
    template <typename T> static constexpr bool isSettable()
    {
        return std::is_arithmetic_v<T> && !std::is_same_v<T, bool> && sizeof(T) > 1;
    }
};

} // namespace tavrin
