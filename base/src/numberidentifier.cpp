#include "tavrin/numberidentifier.h"

namespace tavrin {

namespace {
    std::vector<platform::Number> zeros(std::int64_t count)
    {
        return std::vector<platform::Number>(
            static_cast<std::size_t>(std::max<std::int64_t>(count, 0)), platform::Number(0));
    }
}

NumberIdentifier::NumberIdentifier(QString identifier, Options options)
    : m_value(options.category, options.isSigned, options.decimals)
    , m_identifier(std::move(identifier))
    , m_name(options.name.value_or(m_identifier))
    , m_icon(std::move(options.icon))
    , m_history(zeros(60))
{
}

void NumberIdentifier::setNumber(std::optional<platform::Number> number)
{
    m_value.setNumber(number);
    if (!number) {
        pushHistory(std::nullopt);
        return;
    }
    const double d = number->doubleValue();
    pushHistory(d);
    updateMin(d);
    updateMax(d);
}

std::int64_t NumberIdentifier::historySize() const
{
    std::lock_guard lock(m_historyLock);
    return m_historySize;
}

void NumberIdentifier::setHistorySize(std::int64_t size)
{
    // A window cannot be negative: such a size counts as an empty window.
    size = std::max<std::int64_t>(size, 0);
    std::lock_guard lock(m_historyLock);
    m_historySize = size;
    m_history = zeros(size);
}

std::vector<platform::Number> NumberIdentifier::history() const
{
    std::lock_guard lock(m_historyLock);
    return m_history;
}

void NumberIdentifier::setHistory(std::vector<platform::Number> history)
{
    std::lock_guard lock(m_historyLock);
    m_history = std::move(history);
}

void NumberIdentifier::pushHistory(std::optional<double> value)
{
    std::lock_guard lock(m_historyLock);
    if (!m_history.empty())
        m_history.erase(m_history.begin());
    if (value)
        m_history.emplace_back(*value);
}

void NumberIdentifier::updateMin(double value)
{
    if (!m_min || m_min->doubleValue() > value)
        m_min = platform::Number(value);
}

void NumberIdentifier::updateMax(double value)
{
    if (!m_max || m_max->doubleValue() < value)
        m_max = platform::Number(value);
}

} // namespace tavrin
