#pragma once

#include <platform/core/number.h>

#include <QString>

#include <optional>

namespace tavrin {

/// Answers numbers and texts by identifier.
class InfoProvider {
public:
    virtual ~InfoProvider() = default;
    virtual std::optional<platform::Number> value(const QString &identifier) const = 0;
    /// "-" when nothing is known.
    virtual QString text(const QString &identifier) const = 0;
};

} // namespace tavrin
