#pragma once

#include "tavrin/ramerdouglaspeucker.h"

#include <platform/core/number.h>
#include <platform/ui/layer.h>

#include <QUrl>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace tavrin {

/// Operations on lists.
class ArrayExtensions {
public:
    /// The element at `index`, which must lie within the list.
    template <typename T> static const T &element(const std::vector<T> &array, std::int64_t index)
    {
        return array.at(static_cast<std::size_t>(index));
    }

    /// Runs of `size` elements in order, the last one possibly shorter. No runs for an empty list or a
    /// size below 1.
    template <typename T> static std::vector<std::vector<T>> chunked(const std::vector<T> &array, std::int64_t size)
    {
        std::vector<std::vector<T>> chunks;
        if (size < 1)
            return chunks;
        const auto n = static_cast<std::size_t>(size);
        for (std::size_t start = 0; start < array.size(); start += n)
            chunks.emplace_back(array.begin() + static_cast<std::ptrdiff_t>(start),
                array.begin() + static_cast<std::ptrdiff_t>(std::min(start + n, array.size())));
        return chunks;
    }

    /// The elements at indices 0, n, 2n, ...; a negative step counts by its magnitude, a step of 0
    /// gives nothing.
    template <typename T> static std::vector<T> everyNth(const std::vector<T> &array, std::int64_t step)
    {
        std::vector<T> out;
        if (step == 0)
            return out;
        const std::uint64_t n = step < 0 ? 0 - static_cast<std::uint64_t>(step) : static_cast<std::uint64_t>(step);
        for (std::uint64_t i = 0; i < array.size(); i += n)
            out.push_back(array[static_cast<std::size_t>(i)]);
        return out;
    }

    /// Removes and returns the first element equal to `element`; none (and no change) when there is none.
    template <typename T> static std::optional<T> removeFirstEqual(std::vector<T> &array, const T &element)
    {
        auto it = std::find(array.begin(), array.end(), element);
        if (it == array.end())
            return std::nullopt;
        T removed = std::move(*it);
        array.erase(it);
        return removed;
    }

    /// The series thinned with Ramer-Douglas-Peucker at tolerance 1.0 over the points (index, value):
    /// the first value always, the last when there are two or more. The kept elements come back as
    /// they were, also integers that a double cannot hold.
    template <typename T> static std::vector<T> simplifiedSeries(const std::vector<T> &series)
    {
        static_assert(std::is_arithmetic_v<T>);
        QList<Point> points;
        points.reserve(static_cast<qsizetype>(series.size()));
        for (std::size_t i = 0; i < series.size(); ++i)
            points.append(Point(static_cast<double>(i), static_cast<double>(series[i])));
        // The kept points name their elements by index; the elements themselves are returned, since
        // the doubles the algorithm works on cannot hold every 64-bit integer.
        std::vector<T> out;
        for (const Point &p : RamerDouglasPeucker::simplify(points, 1.0))
            out.push_back(series[static_cast<std::size_t>(p.x)]);
        return out;
    }

    /// Each number's single-precision value, widened.
    static std::vector<double> cgFloatValues(const std::vector<platform::Number> &numbers);

    /// The file whose contents changed last; files without a date count as oldest, ties keep list order.
    static std::optional<QUrl> mostRecentlyModified(const std::vector<QUrl> &urls);

    /// Takes every layer out of its superlayer, in order, then empties the list and gives its storage back.
    static void removeAllSublayers(std::vector<std::shared_ptr<platform::ui::Layer>> &layers);

    ArrayExtensions() = delete;
};

/// Operations on comparable values.
class ComparableExtensions {
public:
    /// At least `lower`, then at most `upper`: with lower above upper the result is upper.
    template <typename T> static T clamped(const T &value, const T &lower, const T &upper)
    {
        T result = value < lower ? lower : value;
        return upper < result ? upper : result;
    }

    ComparableExtensions() = delete;
};

} // namespace tavrin
