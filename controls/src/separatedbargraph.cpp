#include "pirrow/separatedbargraph.h"

#include "pirrow/textutilities.h"

#include <platform/ui/graphicscontext.h>
#include <platform/ui/text.h>

#include <cmath>

namespace pirrow {

using platform::ui::Color;
using platform::ui::GraphicsContext;
using platform::ui::Path;
using platform::ui::Rect;
using platform::ui::TrackingArea;

SeparatedBarGraph::SeparatedBarGraph(const Rect &frame, QWidget *parent)
    : View(frame, parent)
{
    m_area = makeArea();
    addTrackingArea(m_area);
}

std::shared_ptr<TrackingArea> SeparatedBarGraph::makeArea()
{
    return std::make_shared<TrackingArea>(
        bounds(), TrackingArea::mouseEnteredAndExited | TrackingArea::activeAlways, this);
}

void SeparatedBarGraph::layout()
{
    View::layout();
    if (!m_area || m_area->rect() == bounds())
        return;
    removeTrackingArea(m_area);
    m_area = makeArea();
    addTrackingArea(m_area);
}

void SeparatedBarGraph::setMaxTop(double v)
{
    m_maxTop = v;
    setNeedsDisplay();
}

void SeparatedBarGraph::setMaxBottom(double v)
{
    m_maxBottom = v;
    setNeedsDisplay();
}

void SeparatedBarGraph::setMouseOffset(double v)
{
    m_mouseOffset = v;
    setNeedsDisplay();
}

void SeparatedBarGraph::setDataTop(std::vector<double> v)
{
    m_dataTop = std::move(v);
    setNeedsDisplay();
}

void SeparatedBarGraph::setDataBottom(std::vector<double> v)
{
    m_dataBottom = std::move(v);
    setNeedsDisplay();
}

void SeparatedBarGraph::setUpperColor(const Color &c)
{
    m_upperColor = c;
    setNeedsDisplay();
}

void SeparatedBarGraph::setLowerColor(const Color &c)
{
    m_lowerColor = c;
    setNeedsDisplay();
}

void SeparatedBarGraph::setColorAlpha(double a)
{
    m_colorAlpha = a;
    setNeedsDisplay();
}

void SeparatedBarGraph::setLegendLabelsY(const QStringList &labels)
{
    m_legendLabelsY = labels;
    setNeedsDisplay();
}

void SeparatedBarGraph::mouseEntered(const platform::ui::MouseEvent &event)
{
    View::mouseEntered(event);
    m_mouseEntered = true;
    setNeedsDisplay();
}

void SeparatedBarGraph::mouseExited(const platform::ui::MouseEvent &event)
{
    View::mouseExited(event);
    m_mouseEntered = false;
    setNeedsDisplay();
}

void SeparatedBarGraph::drawRect(GraphicsContext &context, const Rect &dirtyRect)
{
    View::drawRect(context, dirtyRect);
    drawGridLines(context);
    drawUpperBars(context);
    drawLowerBars(context);
    drawCenterLine(context);
    if (m_mouseEntered)
        drawLegend(context);
}

void SeparatedBarGraph::drawBars(GraphicsContext &context, bool upper)
{
    const auto &values = upper ? m_dataTop : m_dataBottom;
    const size_t n = values.size();
    if (n == 0)
        return;
    const double W = bounds().width(), M = bounds().height() * 0.5, L = margin();
    const double w = (W - double(n - 1) * 2 - L) / double(n);
    const double max = upper ? m_maxTop : m_maxBottom;
    const Color stroke = (upper ? m_upperColor : m_lowerColor).resolved(effectiveAppearance());
    const Color fill = stroke.withAlphaComponent(m_colorAlpha);
    for (size_t i = 0; i < n; ++i) {
        const double v = values[i];
        if (v == 0)
            continue;
        const double h = v / max * M;
        // A zero maximum has no scale: such a bar is left out rather than drawn to infinity.
        if (!std::isfinite(h))
            continue;
        const double x = L + double(i) * w + double(i) * 2;
        const double edge = upper ? M : M - 0.25, end = upper ? M + h : M - h;
        Path bar;
        bar.moveTo({ x, end });
        bar.lineTo({ x + w, end });
        bar.lineTo({ x + w, edge });
        bar.lineTo({ x, edge });
        bar.lineTo({ x, end });
        platform::ui::StrokeStyle style;
        style.color = stroke;
        style.lineWidth = 0.5;
        context.strokePath(bar, style);
        context.fillPath(bar, fill);
    }
}

void SeparatedBarGraph::drawUpperBars(GraphicsContext &context) { drawBars(context, true); }

void SeparatedBarGraph::drawLowerBars(GraphicsContext &context) { drawBars(context, false); }

void SeparatedBarGraph::drawCenterLine(GraphicsContext &context)
{
    const double M = bounds().height() * 0.5;
    Path line;
    line.moveTo({ margin(), M - 0.5 });
    line.lineTo({ bounds().width(), M - 0.5 });
    platform::ui::StrokeStyle style;
    style.color = Color::separator();
    style.lineWidth = 1.0;
    context.strokePath(line, style);
}

void SeparatedBarGraph::drawGridLines(GraphicsContext &context)
{
    if (!m_mouseEntered)
        return;
    const double W = bounds().width(), H = bounds().height();
    platform::ui::StrokeStyle style;
    style.color = Color::separator();
    style.lineWidth = 0.5;
    Path lines;
    // Each line is stroked with all the lines before it, as the path grows.
    for (double y : { std::trunc(H * 0.5 + H * 0.25) - 0.25, H - 0.25, std::trunc(H * 0.25) - 0.25, 0.25 }) {
        lines.moveTo({ m_mouseOffset, y });
        lines.lineTo({ W, y });
        context.strokePath(lines, style);
    }
}

void SeparatedBarGraph::drawLegend(GraphicsContext &context)
{
    if (!m_mouseEntered || m_legendLabelsY.size() != 5)
        return;
    const double H = bounds().height();
    const auto attributes = TextUtilities::attributes(platform::ui::TextAlignment::center, Color::label(), false, 9);
    const double bottoms[5] = { H - 9, std::trunc(H * 0.5 + H * 0.25) - 4, H * 0.5 - 4, 1, std::trunc(H * 0.25) - 4 };
    for (int i = 0; i < 5; ++i)
        platform::ui::Text::draw(context, m_legendLabelsY[i], Rect(3, bottoms[i], m_mouseOffset - 3, 10), attributes);
}

} // namespace pirrow
