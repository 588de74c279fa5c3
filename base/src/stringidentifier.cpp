#include "tavrin/stringidentifier.h"

namespace tavrin {

StringIdentifier::StringIdentifier(QString identifier, QString name, std::optional<QString> text,
    std::optional<platform::Number> rawValue, std::optional<platform::ui::Image> icon)
    : m_string(std::move(text))
    , m_rawValue(rawValue)
    , m_identifier(std::move(identifier))
    , m_name(std::move(name))
    , m_history(60, platform::Number(0))
    , m_icon(std::move(icon))
{
    if (rawValue)
        step(*rawValue);
}

void StringIdentifier::setHistorySize(std::int64_t size)
{
    m_historySize = std::max<std::int64_t>(size, 0);
    m_history.assign(static_cast<std::size_t>(m_historySize), platform::Number(0));
}

void StringIdentifier::setString(std::optional<QString> text) { m_string = std::move(text); }

void StringIdentifier::setString(std::optional<QString> text, const platform::Number &rawValue)
{
    m_string = std::move(text);
    m_rawValue = rawValue;
    step(rawValue);
}

void StringIdentifier::step(const platform::Number &rawValue)
{
    const double d = rawValue.doubleValue();
    if (!m_history.empty())
        m_history.erase(m_history.begin());
    m_history.emplace_back(d);
    updateMin(d);
    updateMax(d);
}

void StringIdentifier::updateMin(double value)
{
    if (!m_min || m_min->doubleValue() > value)
        m_min = platform::Number(value);
}

void StringIdentifier::updateMax(double value)
{
    if (!m_max || m_max->doubleValue() < value)
        m_max = platform::Number(value);
}

} // namespace tavrin
