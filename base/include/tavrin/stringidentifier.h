#pragma once

#include "tavrin/identifier.h"

namespace tavrin {

/// A text entry of a data store, with an optional number that goes with the text and the same kind
/// of window, minimum and maximum as a numeric entry. Not guarded: one thread at a time changes it.
class StringIdentifier : public Identifier, public HistoryProvider, public MinValueProvider, public MaxValueProvider {
public:
    /// A window of 60 zeros; a present raw number then takes one window step and sets minimum and maximum.
    StringIdentifier(QString identifier, QString name, std::optional<QString> text,
        std::optional<platform::Number> rawValue = std::nullopt,
        std::optional<platform::ui::Image> icon = std::nullopt);

    QString identifier() const override { return m_identifier; }
    QString name() const override { return m_name; }
    std::optional<platform::Number> value() const override { return m_rawValue; }
    std::optional<platform::ui::Image> icon() const override { return m_icon; }
    void setIcon(std::optional<platform::ui::Image> icon) { m_icon = std::move(icon); }
    /// The text, or "-" without one.
    QString text() const override { return m_string.value_or(QStringLiteral("-")); }
    const std::optional<QString> &mString() const { return m_string; }

    std::int64_t historySize() const override { return m_historySize; }
    void setHistorySize(std::int64_t size) override;
    std::vector<platform::Number> history() const override { return m_history; }
    void setHistory(std::vector<platform::Number> history) { m_history = std::move(history); }

    std::optional<platform::Number> min() const override { return m_min; }
    std::optional<platform::Number> max() const override { return m_max; }

    /// Replaces the text only.
    void setString(std::optional<QString> text);
    /// Replaces text and raw number, steps the window with the number and updates minimum and maximum.
    void setString(std::optional<QString> text, const platform::Number &rawValue);

    void updateMin(double value);
    void updateMax(double value);

private:
    void step(const platform::Number &rawValue);

    std::optional<QString> m_string;
    std::optional<platform::Number> m_rawValue;
    QString m_identifier;
    QString m_name;
    std::int64_t m_historySize = 60;
    std::vector<platform::Number> m_history;
    std::optional<platform::ui::Image> m_icon;
    std::optional<platform::Number> m_max;
    std::optional<platform::Number> m_min;
};

} // namespace tavrin
