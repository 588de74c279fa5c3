#pragma once

#include <QString>

#include <optional>

namespace pirrow {

/// A labelled value of a point axis.
class AxisPoint {
public:
    AxisPoint(double value, std::optional<QString> text)
        : m_value(value)
        , m_text(std::move(text))
    {
    }
    double value() const { return m_value; }
    void setValue(double v) { m_value = v; }
    std::optional<QString> text() const { return m_text; }
    void setText(std::optional<QString> t) { m_text = std::move(t); }

private:
    double m_value;
    std::optional<QString> m_text;
};

} // namespace pirrow
