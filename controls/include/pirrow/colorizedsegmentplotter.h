#pragma once

#include "pirrow/colorrange.h"
#include "pirrow/idataplotter.h"

#include <platform/ui/shapelayer.h>

namespace pirrow {

/// Fills the area between the value line and the baseline, cut into vertical segments: each a run of
/// neighbouring values in the same `ColorRange`, filled in its colour (a segment outside all bands is
/// present but unfilled). Neighbouring segments share their boundary value. No stroke, markers or
/// animation.
class ColorizedSegmentPlotter : public IDataPlotter {
public:
    ColorizedSegmentPlotter(std::vector<std::shared_ptr<ColorRange>> ranges, PlotterData data);

    PlotterData data() const override { return m_data; }
    PlotterDelegate *delegate() const override { return m_delegate; }
    void setDelegate(PlotterDelegate *delegate) override { m_delegate = delegate; }
    void setData(const PlotterData &values) override;
    void draw(const std::shared_ptr<platform::ui::Layer> &layer, double min, double max, double bottomInset) override;
    /// Also forgets the bands: later drawings are uncoloured.
    void clear() override;

    const std::vector<std::shared_ptr<platform::ui::ShapeLayer>> &segmentLayers() const { return m_segmentLayers; }
    const std::vector<std::shared_ptr<ColorRange>> &colorRanges() const { return m_colorRanges; }

    /// Closes `path` down to the baseline between x = `startX` and x = `endX` and adds it as a layer
    /// filled in `color` (none: unfilled).
    void closeSegment(platform::ui::Layer &layer, platform::ui::Path path, std::optional<platform::ui::Color> color,
        double startX, double endX, double bottomInset);

private:
    std::shared_ptr<ColorRange> rangeAt(size_t index, double min) const;

    PlotterData m_data;
    std::vector<std::shared_ptr<platform::ui::ShapeLayer>> m_segmentLayers;
    std::vector<std::shared_ptr<ColorRange>> m_colorRanges;
    PlotterDelegate *m_delegate = nullptr;
};

} // namespace pirrow
