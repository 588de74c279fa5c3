#include "pirrow/colorizedsegmentplotter.h"

#include "pirrow/plotterdelegate.h"
#include "pirrow/screenextensions.h"

#include <cmath>

namespace pirrow {

using platform::ui::Color;
using platform::ui::Layer;
using platform::ui::Path;
using platform::ui::ShapeLayer;

ColorizedSegmentPlotter::ColorizedSegmentPlotter(std::vector<std::shared_ptr<ColorRange>> ranges, PlotterData data)
    : m_data(std::move(data))
    , m_colorRanges(std::move(ranges))
{
}

void ColorizedSegmentPlotter::setData(const PlotterData &values)
{
    m_data = values;
    if (m_delegate)
        m_delegate->plotterDataChanged(*this);
}

void ColorizedSegmentPlotter::clear()
{
    for (const auto &segment : m_segmentLayers)
        segment->removeFromSuperlayer();
    m_segmentLayers.clear();
    m_colorRanges.clear();
    m_data.clear();
    m_delegate = nullptr;
}

std::shared_ptr<ColorRange> ColorizedSegmentPlotter::rangeAt(size_t index, double min) const
{
    return ColorRange::find(m_colorRanges, m_data[index].value_or(min));
}

void ColorizedSegmentPlotter::closeSegment(
    Layer &layer, Path path, std::optional<Color> color, double startX, double endX, double bottomInset)
{
    const double base = layer.bounds().height() - bottomInset;
    path.lineTo({ endX, base });
    path.lineTo({ startX, base });
    path.closeSubpath();
    auto segment = ShapeLayer::create();
    segment->setFillColor(color);
    segment->setContentsScale(ScreenExtensions::mainScale());
    segment->setStrokeColor(std::nullopt);
    segment->setPath(path);
    layer.addSublayer(segment);
    m_segmentLayers.push_back(segment);
}

void ColorizedSegmentPlotter::draw(const std::shared_ptr<Layer> &layer, double min, double max, double bottomInset)
{
    for (const auto &segment : m_segmentLayers)
        segment->removeFromSuperlayer();
    m_segmentLayers.clear();
    const size_t n = m_data.size();
    if (!layer || n < 2 || !(max > 0) || !(max >= min))
        return;

    const double W = layer->bounds().width(), H = layer->bounds().height();
    const double step = W / double(n - 1);
    const auto y = [&](size_t i) {
        const double v = m_data[i].value_or(min);
        if (std::isnan(v))
            return H - bottomInset;
        return (H - bottomInset) * (1 - (v - min) / (max - min));
    };
    const auto colourOf
        = [](const std::shared_ptr<ColorRange> &r) { return r ? std::optional<Color>(r->color()) : std::nullopt; };

    // One step per value, as a loop so that long lists cannot exhaust the stack.
    size_t s = 0, k = 0;
    Path path;
    for (;;) {
        const size_t i = s + k;
        const bool last = i == n - 1;
        if (k > 0 && last) {
            path.lineTo({ W, y(i) });
            closeSegment(*layer, path, colourOf(rangeAt(i, min)), double(s) * step, W, bottomInset);
            return;
        }
        if (k == 0)
            path.moveTo({ double(i) * step, y(i) });
        else
            path.lineTo({ double(i) * step, y(i) });
        if (last) {
            closeSegment(*layer, path, colourOf(rangeAt(i, min)), double(s) * step, double(i) * step, bottomInset);
            return;
        }
        const size_t j = i + 1;
        const auto ri = rangeAt(i, min), rj = rangeAt(j, min);
        if (ri && rj && *ri == *rj) {
            ++k;
            continue;
        }
        path.lineTo({ double(j) * step, y(j) });
        closeSegment(*layer, path, colourOf(k > 0 ? ri : rj), double(s) * step, double(j) * step, bottomInset);
        s = j;
        k = 0;
        path = Path();
    }
}

} // namespace pirrow
