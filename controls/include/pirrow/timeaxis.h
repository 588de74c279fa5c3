#pragma once

#include "pirrow/iaxis.h"

#include <platform/ui/color.h>
#include <platform/ui/font.h>
#include <platform/ui/shapelayer.h>

#include <vector>

namespace pirrow {

/// Month names along a row of timestamps (seconds since 1970), with short tick lines.
class TimeAxis : public IAxis {
public:
    /// How the labels are laid out.
    enum class TimePeriod {
        /// One label per timestamp.
        lastYear,
        /// A label on every fourth timestamp, counted back from the last, where it does not overlap.
        weekly
    };

    TimeAxis() = default;

    double height() const override { return 24; }
    void draw(const std::shared_ptr<platform::ui::Layer> &layer, double lineWidth) override;
    void clear() override;

    const std::shared_ptr<platform::ui::ShapeLayer> &tickLayer() const { return m_tickLayer; }
    const std::vector<std::shared_ptr<platform::ui::Layer>> &layers() const { return m_layers; }
    /// Kept for callers; the drawing does not use them.
    int verticalSegments() const { return m_verticalSegments; }
    void setVerticalSegments(int n) { m_verticalSegments = n; }
    double fontSize() const { return m_fontSize; }
    void setFontSize(double s) { m_fontSize = s; }
    double fontWeight() const { return m_fontWeight; }
    void setFontWeight(double w) { m_fontWeight = w; }
    TimePeriod period() const { return m_period; }
    void setPeriod(TimePeriod p) { m_period = p; }
    const std::vector<double> &timestamps() const { return m_timestamps; }
    void setTimestamps(std::vector<double> t) { m_timestamps = std::move(t); }
    platform::ui::Color tickColor() const { return m_tickColor; }
    void setTickColor(const platform::ui::Color &c) { m_tickColor = c; }

private:
    void removeLayers();
    void placeWeekly(platform::ui::Layer &layer);

    std::shared_ptr<platform::ui::ShapeLayer> m_tickLayer = platform::ui::ShapeLayer::create();
    std::vector<std::shared_ptr<platform::ui::Layer>> m_layers;
    int m_verticalSegments = 4;
    double m_fontSize = 12;
    double m_fontWeight = platform::ui::FontWeight::regular;
    TimePeriod m_period = TimePeriod::lastYear;
    std::vector<double> m_timestamps;
    platform::ui::Color m_tickColor = platform::ui::Color::separator();
};

} // namespace pirrow
