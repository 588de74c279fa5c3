#include "pirrow/doublebargraph.h"

#include "pirrow/imageextensions.h"
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
using platform::ui::Point;
using platform::ui::Rect;
using platform::ui::TrackingArea;

namespace {

    double whole(double x) { return std::trunc(x); }

    /// The second of the alternating row colours of content lists.
    Color alternatingSecond()
    {
        return Color::dynamic(
            QStringLiteral("alternatingContentBackgroundColor1"), Color::fromWhite(0.96), Color::fromWhite(1, 0.05));
    }

    void strokeThenFill(GraphicsContext &context, const Path &path, const Color &colour, double lineWidth, double alpha)
    {
        platform::ui::StrokeStyle style;
        style.color = colour;
        style.lineWidth = lineWidth;
        context.strokePath(path, style);
        context.fillPath(path, colour.withAlphaComponent(alpha));
    }

} // namespace

DoubleBarGraph::DoubleBarGraph(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_textFontAttributes(TextUtilities::attributes(platform::ui::TextAlignment::left, Color::label(), false, 9))
{
    // The tracking area follows the bounds from the first layout on (queued at construction).
}

void DoubleBarGraph::layout()
{
    View::layout();
    if (m_trackingArea)
        removeTrackingArea(m_trackingArea);
    m_trackingArea = std::make_shared<TrackingArea>(
        bounds(), TrackingArea::mouseEnteredAndExited | TrackingArea::mouseMoved | TrackingArea::activeAlways, this);
    addTrackingArea(m_trackingArea);
}

void DoubleBarGraph::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    setNeedsDisplay();
}

void DoubleBarGraph::setLeftOffset(double v)
{
    m_leftOffset = v;
    setNeedsDisplay();
}

void DoubleBarGraph::setRightOffset(double v)
{
    m_rightOffset = v;
    setNeedsDisplay();
}

void DoubleBarGraph::setTopOffset(double v)
{
    m_topOffset = v;
    setNeedsDisplay();
}

void DoubleBarGraph::setBottomOffset(double v)
{
    m_bottomOffset = v;
    setNeedsDisplay();
}

void DoubleBarGraph::setColorLeft(const Color &c)
{
    m_colorLeft = c;
    setNeedsDisplay();
}

void DoubleBarGraph::setColorRight(const Color &c)
{
    m_colorRight = c;
    setNeedsDisplay();
}

void DoubleBarGraph::setInteractionImage(std::optional<platform::ui::Image> image)
{
    m_interactionImage = std::move(image);
    setNeedsDisplay();
}

void DoubleBarGraph::setColorAlpha(double a)
{
    m_colorAlpha = a;
    setNeedsDisplay();
}

void DoubleBarGraph::setData(std::vector<Pair> values)
{
    m_data = std::move(values);
    setNeedsDisplay();
}

void DoubleBarGraph::setLegendLabelsX(const QStringList &labels)
{
    m_legendLabelsX = labels;
    setNeedsDisplay();
}

void DoubleBarGraph::setLegendLabelsY(const QStringList &labels)
{
    m_legendLabelsY = labels;
    setNeedsDisplay();
}

void DoubleBarGraph::setGridLineWidth(double w)
{
    m_gridLineWidth = w;
    setNeedsDisplay();
}

void DoubleBarGraph::setLineWidth(double w)
{
    m_lineWidth = w;
    setNeedsDisplay();
}

std::uint64_t DoubleBarGraph::maxValue() const
{
    constexpr std::uint64_t empty = 40ull * 1024 * 1024;
    std::uint64_t m = 0;
    for (const auto &[a, b] : m_data)
        m = std::max({ m, a, b });
    if (m == 0)
        return empty;
    // From 10^19 on the rounded scale no longer fits in 64 bits.
    if (m >= 10000000000000000000ull)
        return std::numeric_limits<std::uint64_t>::max();
    int k = 0;
    while (m >= 1000) {
        m /= 1000;
        ++k;
    }
    std::uint64_t magnitude = 1;
    while (magnitude * 10 <= m)
        magnitude *= 10;
    std::uint64_t result = (m / magnitude + 1) * magnitude;
    for (int i = 0; i < k; ++i)
        result *= 1024;
    return result;
}

void DoubleBarGraph::drawSelection(GraphicsContext &context, double left, double right)
{
    if (m_interactionImage && m_deleteRect) {
        const platform::ui::Image image = m_mouseInDeletionRect
            ? ImageExtensions::tinted(*m_interactionImage, Color::systemRed())
            : *m_interactionImage;
        context.drawImage(image, *m_deleteRect);
    }
    const double Hb = bounds().height(), T = m_topOffset;
    Path band;
    band.moveTo({ left - 1, Hb - T });
    band.lineTo({ right + 1, Hb - T });
    band.lineTo({ right + 1, T });
    band.lineTo({ left - 1, T });
    band.closeSubpath();
    context.fillPath(band, alternatingSecond().resolved(effectiveAppearance()));
}

void DoubleBarGraph::drawGrid(GraphicsContext &context, double h)
{
    const double L = m_leftOffset, R = m_rightOffset, T = m_topOffset, W = bounds().width(), G = m_gridLineWidth;
    platform::ui::StrokeStyle style;
    style.color = Color::tertiaryLabel().resolved(effectiveAppearance());
    style.lineWidth = G;
    const auto line = [](Path &p, Point a, Point b) {
        p.moveTo(a);
        p.lineTo(b);
    };
    Path frame;
    line(frame, { L, T - G / 2 }, { W - R, T - G / 2 });
    line(frame, { whole(L) + G / 2, T + h }, { whole(L) + G / 2, T });
    line(frame, { W - R - G / 2, T + h }, { W - R - G / 2, T });
    line(frame, { L, T + h - 0.25 }, { W - R, T + h - G / 2 });
    Path inner;
    for (double y : { whole(T + h / 4) + G / 2, whole(T + h / 2) + G / 2, whole(T + 3 * h / 4) + G / 2 })
        line(inner, { L, y }, { W - R, y });
    context.strokePath(frame, style);
    context.strokePath(inner, style);
}

void DoubleBarGraph::drawLegendY(GraphicsContext &context, double H)
{
    if (m_legendLabelsY.size() != 5)
        return;
    const double T = m_topOffset, B = m_bottomOffset;
    const double ys[5]
        = { whole(B - 6), whole(T + H / 4 - 5), whole(T + H / 2 - 5), whole(T + 3 * H / 4 - 5), whole(T + H - 5) };
    for (int i = 0; i < 5; ++i)
        platform::ui::Text::draw(context, m_legendLabelsY[i], Rect(4, ys[i] + 1, 56, 11), m_textFontAttributes);
}

void DoubleBarGraph::drawRect(GraphicsContext &context, const Rect &dirtyRect)
{
    View::drawRect(context, dirtyRect);
    const double W = bounds().width(), L = m_leftOffset, R = m_rightOffset, B = m_bottomOffset;
    const double H = bounds().height() - m_topOffset - B;
    const std::uint64_t Mx = maxValue();
    drawGrid(context, whole(H));
    drawLegendY(context, H);
    const size_t n = m_data.size();
    if (n == 0)
        return;
    const double gap = gapFor(n), hl = m_lineWidth / 2;
    const double bw = (W - L - R - 3 - double(n - 1) * gap) / (2 * double(n));
    const Color left = m_colorLeft.resolved(effectiveAppearance());
    const Color right = m_colorRight.resolved(effectiveAppearance());
    const bool withLabels = m_legendLabelsX.size() == qsizetype(n);
    for (size_t i = 0; i < n; ++i) {
        const auto [a, b] = m_data[i];
        const double x0 = 2 * double(i) * bw + (L + 1) + double(i) * gap;
        const double l = whole(x0) - hl, r = whole(x0 + bw) - hl;
        const double topA = whole(double(a) / double(Mx) * H + B) - hl;
        const double rl = whole(l + 1 + bw + 1) - hl;
        const double topB = whole(double(b) / double(Mx) * H + B);
        if (m_index && *m_index == int(i))
            drawSelection(context, l, whole(bw + rl) + 1 - hl);
        Path leftBar;
        leftBar.moveTo({ l, B });
        leftBar.lineTo({ l, topA });
        leftBar.lineTo({ r, topA });
        leftBar.lineTo({ r, B });
        strokeThenFill(context, leftBar, left, m_lineWidth, m_colorAlpha);
        Path rightBar;
        rightBar.moveTo({ whole(rl) + 1 - hl, B });
        rightBar.lineTo({ rl, topB });
        rightBar.lineTo({ whole(rl + 1 + bw) - hl, topB });
        rightBar.lineTo({ whole(bw + rl) + 1 - hl, B });
        strokeThenFill(context, rightBar, right, m_lineWidth, m_colorAlpha);
        if (withLabels) {
            const QString &label = m_legendLabelsX[qsizetype(i)];
            const double textWidth = platform::ui::Text::size(label, m_textFontAttributes).width;
            const double boxWidth = textWidth < 2 * bw ? 2 * bw : 16;
            platform::ui::Text::draw(
                context, label, Rect(l + bw - textWidth / 2, 1, boxWidth, 12), m_textFontAttributes);
        }
    }
}

void DoubleBarGraph::mouseMoved(const platform::ui::MouseEvent &event)
{
    View::mouseMoved(event);
    const auto old = m_index;
    const Point p = event.location;
    const double L = m_leftOffset, W = bounds().width(), Hb = bounds().height();
    if (p.x - L < 0) {
        m_index.reset();
        m_deleteRect.reset();
        if (indexChanged)
            indexChanged();
    } else {
        const size_t n = m_data.size();
        if (n == 0)
            return;
        const double gap = gapFor(n);
        const double pw = (W - L - m_rightOffset - 3 - double(n - 1) * gap) / double(n);
        const double slot = gap + pw;
        const long long s = static_cast<long long>(slot);
        if (s > 0) {
            const long long v = static_cast<long long>(p.x - L) / s;
            if (v < (long long)n && (!m_index || *m_index != v) && indexChanged)
                indexChanged();
            m_index = int(v);
            const Rect button(slot * double(v) + L + pw / 2 - 8, Hb - 16, 16, 16);
            const bool inside = button.contains(p);
            if (inside != m_mouseInDeletionRect)
                setNeedsDisplay();
            m_mouseInDeletionRect = inside;
            m_deleteRect = button;
        }
    }
    if (m_index != old)
        setNeedsDisplay();
}

void DoubleBarGraph::mouseDown(const platform::ui::MouseEvent &event)
{
    View::mouseDown(event);
    if (m_deleteRect && m_deleteRect->contains(event.location) && clickedInRect)
        clickedInRect();
}

void DoubleBarGraph::mouseExited(const platform::ui::MouseEvent &event)
{
    View::mouseExited(event);
    m_index.reset();
    setNeedsDisplay();
    if (indexChanged)
        indexChanged();
}

} // namespace pirrow
