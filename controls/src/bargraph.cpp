#include "pirrow/bargraph.h"

#include "pirrow/textutilities.h"

#include <platform/ui/graphicscontext.h>
#include <platform/ui/text.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace pirrow {

using platform::ui::Color;
using platform::ui::GraphicsContext;
using platform::ui::Path;
using platform::ui::Rect;

namespace {

    platform::ui::TextAttributes labelAttributes()
    {
        return TextUtilities::attributes(platform::ui::TextAlignment::left, Color::secondaryLabel(), true, 8.25);
    }

    double whole(double x) { return std::trunc(x); }

} // namespace

BarGraph::BarGraph(const Rect &frame, QWidget *parent)
    : View(frame, parent)
{
}

void BarGraph::setColor(const Color &c)
{
    m_color = c;
    setNeedsDisplay();
}

void BarGraph::setAlpha(double a)
{
    m_alpha = a;
    setNeedsDisplay();
}

void BarGraph::setLineWidth(double w)
{
    m_lineWidth = w;
    setNeedsDisplay();
}

void BarGraph::setData(std::vector<std::int32_t> values)
{
    m_data = std::move(values);
    setNeedsDisplay();
}

std::int32_t BarGraph::maxValue() const
{
    std::int32_t largest = 0;
    for (std::int32_t v : m_data)
        largest = std::max(largest, v);
    if (largest <= 0)
        return 100;
    const std::int64_t next = (std::int64_t(largest) / 100 + 1) * 100;
    constexpr std::int64_t top = std::numeric_limits<std::int32_t>::max() / 100 * 100;
    return std::int32_t(std::min(next, top));
}

void BarGraph::drawGrid(GraphicsContext &context, double H)
{
    const double L = m_leftOffset, T = m_topOffset, W = bounds().width(), lw = m_lineWidth;
    Path grid;
    const auto line = [&grid](double x0, double y0, double x1, double y1) {
        grid.moveTo({ x0, y0 });
        grid.lineTo({ x1, y1 });
    };
    line(L, whole(T) - 0.25, W, T);
    line(L, whole(T + H / 4) - lw / 2, W, whole(T + H / 4) - lw / 2);
    line(L, whole(T + H / 2) + lw / 2, W, whole(T + H / 2) + lw / 2);
    line(L, whole(T + 3 * H / 4) - lw / 2, W, whole(T + 3 * H / 4) - lw / 2);
    line(L, T + H - lw / 2, W, T + H - lw / 2);
    line(L + lw / 2, whole(T + H), L + lw / 2, T);
    line(W - lw / 2, whole(T + H), W - lw / 2, T);
    platform::ui::StrokeStyle style;
    style.color = Color::separator();
    style.lineWidth = 0.5;
    context.strokePath(grid, style);
}

void BarGraph::drawValueLabels(GraphicsContext &context, std::int32_t max, double H)
{
    const double T = m_topOffset, B = m_bottomOffset;
    const auto attributes = labelAttributes();
    const auto draw = [&](std::int64_t value, double y, double height) {
        platform::ui::Text::draw(context, QString::number(value), Rect(4, y + 1, 56, height), attributes);
    };
    draw(0, B - 6, 12);
    draw(max / 4, T + H / 4 - 5, 10);
    draw(max / 2, T + H / 2 - 5, 10);
    draw(std::int64_t(max / 4) * 3, T + 3 * H / 4 - 5, 10);
    draw(max, T + H - 5, 10);
}

void BarGraph::drawRect(GraphicsContext &context, const Rect &dirtyRect)
{
    View::drawRect(context, dirtyRect);
    const double W = bounds().width(), L = m_leftOffset, B = m_bottomOffset;
    const double H = bounds().height() - m_topOffset - B;
    const size_t n = m_data.size();
    const std::int32_t M = maxValue();
    drawGrid(context, H);
    drawValueLabels(context, M, H);
    if (n == 0)
        return;

    const double gap = 24 - 0.5 * double(n);
    const double barWidth = (W - L - 3 - double(n - 1) * gap) / double(n);
    const double lw = m_lineWidth;
    const Color stroke = m_color.resolved(effectiveAppearance());
    const Color fill = stroke.withAlphaComponent(m_alpha);
    const bool withLabels = m_labels.size() == qsizetype(n);
    const auto attributes = labelAttributes();
    for (size_t i = 0; i < n; ++i) {
        const double x0 = double(i) * barWidth + (L + 1) + double(i) * gap;
        const double x1 = x0 + barWidth;
        const double h = double(m_data[i]) / double(M) * H;
        const double left = whole(x0) - lw / 2, right = whole(x1) - lw / 2, top = whole(h) + B - lw / 2;
        Path bar;
        bar.moveTo({ left, B });
        bar.lineTo({ left, top });
        bar.lineTo({ right, top });
        bar.lineTo({ right, B });
        platform::ui::StrokeStyle style;
        style.color = stroke;
        style.lineWidth = lw;
        context.strokePath(bar, style);
        context.fillPath(bar, fill);
        if (withLabels) {
            const QString &label = m_labels[qsizetype(i)];
            const double textWidth = platform::ui::Text::size(label, attributes).width;
            const double boxWidth = textWidth < barWidth ? barWidth : 16;
            platform::ui::Text::draw(
                context, label, Rect(left + barWidth / 2 - textWidth / 2, 3, boxWidth, 12), attributes);
        }
    }
}

} // namespace pirrow
