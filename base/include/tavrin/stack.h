#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace tavrin {

/// A last-in, first-out stack of values. A value type: copies hold their own elements. Not guarded
/// against use from several threads.
template <typename T> class Stack {
public:
    void push(T element) { m_array.push_back(std::move(element)); }
    std::optional<T> pop()
    {
        if (m_array.empty())
            return std::nullopt;
        std::optional<T> top(std::move(m_array.back()));
        m_array.pop_back();
        return top;
    }
    std::optional<T> peek() const
    {
        if (m_array.empty())
            return std::nullopt;
        return m_array.back();
    }
    /// Removes every element and gives their storage back.
    void clear() { std::vector<T>().swap(m_array); }
    bool isEmpty() const { return m_array.empty(); }
    std::int64_t count() const { return static_cast<std::int64_t>(m_array.size()); }
    /// Bottom first, top last.
    const std::vector<T> &array() const { return m_array; }

private:
    std::vector<T> m_array;
};

} // namespace tavrin
