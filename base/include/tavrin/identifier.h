#pragma once

#include <platform/core/number.h>
#include <platform/ui/image.h>

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace tavrin {

/// An entry of a data store: a key, a display name, a number and its text. Entries are shared
/// (`std::shared_ptr`): a store holds them by reference, so their creator may keep changing them.
class Identifier {
public:
    virtual ~Identifier() = default;
    virtual QString identifier() const = 0;
    virtual QString name() const = 0;
    virtual std::optional<platform::Number> value() const = 0;
    virtual std::optional<platform::ui::Image> icon() const = 0;
    /// The entry's text ("-" when nothing is known).
    virtual QString text() const = 0;
};

/// An entry that keeps a window of its latest numbers, oldest first.
class HistoryProvider {
public:
    virtual ~HistoryProvider() = default;
    virtual std::int64_t historySize() const = 0;
    /// Resets the window to `size` zeros (a negative size counts as 0).
    virtual void setHistorySize(std::int64_t size) = 0;
    virtual std::vector<platform::Number> history() const = 0;
};

/// The smallest number an entry ever held.
class MinValueProvider {
public:
    virtual ~MinValueProvider() = default;
    virtual std::optional<platform::Number> min() const = 0;
};

/// The largest number an entry ever held.
class MaxValueProvider {
public:
    virtual ~MaxValueProvider() = default;
    virtual std::optional<platform::Number> max() const = 0;
};

} // namespace tavrin
