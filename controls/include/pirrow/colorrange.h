#pragma once

#include <platform/ui/color.h>

#include <memory>
#include <vector>

namespace pirrow {

/// A value band with a colour: min ≤ v ≤ max (a NaN value lies in no band). Two bands are equal
/// when their bounds are; the colour takes no part. Lists of bands are searched in order, the first
/// band that holds a value wins.
class ColorRange {
public:
    ColorRange(double min, double max, platform::ui::Color color)
        : m_min(min)
        , m_max(max)
        , m_color(std::move(color))
    {
    }

    double min() const { return m_min; }
    void setMin(double v) { m_min = v; }
    double max() const { return m_max; }
    void setMax(double v) { m_max = v; }
    platform::ui::Color color() const { return m_color; }
    void setColor(const platform::ui::Color &c) { m_color = c; }

    bool contains(double v) const { return m_min <= v && v <= m_max; }
    /// The first band of `ranges` that holds `v`, or none.
    static std::shared_ptr<ColorRange> find(const std::vector<std::shared_ptr<ColorRange>> &ranges, double v)
    {
        for (const auto &r : ranges)
            if (r && r->contains(v))
                return r;
        return nullptr;
    }

    friend bool operator==(const ColorRange &a, const ColorRange &b)
    {
        return a.m_min == b.m_min && a.m_max == b.m_max;
    }

private:
    double m_min;
    double m_max;
    platform::ui::Color m_color;
};

} // namespace pirrow
