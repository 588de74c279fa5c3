#pragma once

#include "tavrin/identifier.h"
#include "tavrin/value.h"

#include <mutex>

namespace tavrin {

/// How a numeric entry is named and written; every member may be left out.
struct NumberIdentifierOptions {
    std::optional<QString> name {}; ///< defaults to the identifier
    IdentifierCategory category = IdentifierCategory::Raw;
    bool isSigned = true;
    std::optional<std::int64_t> decimals {};
    std::optional<platform::ui::Image> icon {};
};

/// A numeric entry of a data store: the current number (with category, signedness and decimals for
/// its text), a window of the latest numbers and the smallest and largest number ever set.
///
/// A present number x sets the value in x's own type, then steps the window (drop the oldest, append
/// x as a double) and updates minimum and maximum; an absent one clears the value and only drops the
/// oldest entry. The window is guarded by a lock of the entry's own, also for reading; the number,
/// minimum and maximum are changed by one thread at a time, which the entry's users ensure.
class NumberIdentifier : public Identifier,
                         public IValueProvider,
                         public HistoryProvider,
                         public MinValueProvider,
                         public MaxValueProvider {
public:
    using Options = NumberIdentifierOptions;

    /// A window of 60 zeros, no number, no minimum or maximum.
    explicit NumberIdentifier(QString identifier, Options options = {});

    const Value &mValue() const { return m_value; }

    QString identifier() const override { return m_identifier; }
    QString name() const override { return m_name; }
    std::optional<platform::Number> value() const override { return m_value.rawValue(); }
    std::optional<platform::ui::Image> icon() const override { return m_icon; }
    void setIcon(std::optional<platform::ui::Image> icon) { m_icon = std::move(icon); }
    QString text() const override { return m_value.text(); }

    std::optional<platform::Number> rawValue() const override { return m_value.rawValue(); }
    void setNumber(std::optional<platform::Number> number) override;

    std::int64_t historySize() const override;
    void setHistorySize(std::int64_t size) override;
    std::vector<platform::Number> history() const override;
    /// Replaces the window as it is (its length need not match the size).
    void setHistory(std::vector<platform::Number> history);

    std::optional<platform::Number> min() const override { return m_min; }
    std::optional<platform::Number> max() const override { return m_max; }

    /// Drops the oldest entry, if any, and appends the value when present.
    void pushHistory(std::optional<double> value);
    void updateMin(double value);
    void updateMax(double value);

private:
    mutable std::mutex m_historyLock;
    Value m_value;
    QString m_identifier;
    QString m_name;
    std::optional<platform::ui::Image> m_icon;
    std::int64_t m_historySize = 60;
    std::vector<platform::Number> m_history;
    std::optional<platform::Number> m_max;
    std::optional<platform::Number> m_min;
};

} // namespace tavrin
