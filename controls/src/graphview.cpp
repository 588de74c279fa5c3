#include "pirrow/graphview.h"

#include "pirrow/ianimatable.h"
#include "pirrow/screenextensions.h"
#include "pirrow/utilities.h"

#include <platform/core/mainqueue.h>
#include <platform/ui/text.h>

#include <QPointer>

#include <cfloat>
#include <cmath>
#include <limits>
#include <numbers>

namespace pirrow {

using platform::ui::Color;
using platform::ui::Path;
using platform::ui::Point;
using platform::ui::Rect;
using platform::ui::ShapeLayer;
using platform::ui::TextLayer;

namespace {

    /// A rate as the unsigned count the unit functions take: negative rates count as 0, rates past the
    /// 64-bit range as its top (where the unit ladder has long reached its last step).
    std::uint64_t rateCount(double value)
    {
        if (!(value > 0))
            return 0;
        if (value >= 18446744073709551615.0)
            return std::numeric_limits<std::uint64_t>::max();
        return static_cast<std::uint64_t>(value);
    }

    /// step × round(quotient), formed as a whole number where it fits one.
    double steppedBound(double step, double quotient)
    {
        const double product = step * std::round(quotient);
        if (std::fabs(product) < 9.2e18)
            return double(static_cast<std::int64_t>(product));
        return product;
    }

    bool isBadBound(double v) { return v == 0 || !std::isfinite(v); }

} // namespace

GraphView::GraphView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
{
    setWantsLayer(true);
    layer()->setMasksToBounds(true);
}

GraphView::~GraphView()
{
    // Plotters outlive the view only by their owners' references; they must not point back at it.
    for (const auto &plotter : m_plotters)
        if (plotter->delegate() == this)
            plotter->setDelegate(nullptr);
}

void GraphView::setReverseCoordinates(bool on)
{
    m_reverseCoordinates = on;
    layout();
}

double GraphView::bottomInset() const
{
    if (m_axisX)
        return m_axisX->height();
    if (m_tickOptions.showTickMarks && m_tickOptions.numberOfTicks > 0)
        return 4;
    return 0;
}

void GraphView::setAxisX(std::shared_ptr<IAxis> axis)
{
    auto previous = std::exchange(m_axisX, std::move(axis));
    if (previous)
        previous->clear();
    drawGrid();
    if (m_axisX)
        m_axisX->draw(layer(), m_gridOptions.gridLineWidth);
    drawTicks();
    refresh();
}

std::shared_ptr<IDataPlotter> GraphView::plotterAt(size_t index) const
{
    return index < m_plotters.size() ? m_plotters[index] : nullptr;
}

void GraphView::setMinValue(double value)
{
    if (isBadBound(value) || m_scaleMode == ScaleMode::none || m_useZeroAsMin) {
        m_minValue = 0;
        return;
    }
    const double step = rawValue(m_scaleMode);
    m_minValue = steppedBound(step, (value - step) / step);
}

void GraphView::setMaxValue(double value)
{
    if (m_scaleMode == ScaleMode::none) {
        m_maxValue = value;
        return;
    }
    if (isBadBound(value)) {
        m_maxValue = 100;
        return;
    }
    if (m_autoGraphMode != AutoGraphMode::none) {
        m_unit = Utilities::dataRateUnit(rateCount(value), m_autoGraphMode == AutoGraphMode::bitSpeed);
        m_maxValue = value;
        return;
    }
    const double step = rawValue(m_scaleMode);
    m_maxValue = steppedBound(step, (value + step) / step);
}

void GraphView::setLabelsEnabled(bool on)
{
    m_labelsEnabled = on;
    refresh();
}

void GraphView::addPlotter(const std::shared_ptr<IDataPlotter> &plotter)
{
    if (!plotter)
        return;
    m_plotters.push_back(plotter);
    plotter->setDelegate(this);
    if (!plotter->data().empty())
        plotterDataChanged(*plotter);
    else
        drawPlotter(*plotter);
}

void GraphView::animate()
{
    for (const auto &plotter : m_plotters)
        if (auto *animatable = dynamic_cast<IAnimatable *>(plotter.get()))
            animatable->animate(layer(), m_maxValue, bottomInset());
}

void GraphView::removeAllPlotters()
{
    const auto plotters = std::exchange(m_plotters, {});
    for (const auto &plotter : plotters)
        plotter->clear();
}

void GraphView::refresh()
{
    if (!wantsLayer())
        setWantsLayer(true);
    layer()->setMasksToBounds(true);
    redraw();
    drawLabels();
}

void GraphView::redraw()
{
    drawGrid();
    for (const auto &plotter : m_plotters)
        drawPlotter(*plotter);
    if (m_axisX)
        m_axisX->draw(layer(), m_gridOptions.gridLineWidth);
}

void GraphView::drawPlotter(IDataPlotter &plotter)
{
    plotter.draw(layer(), m_minValue, m_maxValue, bottomInset());
    // Value labels stay above every plotter, also one drawn after them.
    for (const auto &label : m_textLayers)
        if (label->superlayer() == layer().get())
            layer()->addSublayer(label);
}

void GraphView::drawTicks()
{
    if (m_largeTickLayer)
        m_largeTickLayer->removeFromSuperlayer();
    if (m_smallTickLayer)
        m_smallTickLayer->removeFromSuperlayer();
    const int n = m_tickOptions.numberOfTicks;
    if (!m_tickOptions.showTickMarks || n <= 0 || bottomInset() == 0)
        return;

    const Rect b = bounds();
    const double W = b.width(), H = b.height();
    const double R = m_tickOptions.largeRadius, r = m_tickOptions.smallRadius;
    m_largeTickLayer = std::make_shared<GradientLayer>(layer(), m_tickOptions.fillColors, b);
    if (m_tickOptions.enableSmallTicks)
        m_smallTickLayer = std::make_shared<GradientLayer>(layer(), std::vector<Color> { Color::separator() }, b);

    const double y = H - bottomInset();
    Path large, small;
    for (int e = 0; e < n; ++e) {
        double x;
        if (e == 0)
            x = R;
        else if (e == n - 1)
            x = W - R;
        else
            x = e * W / (n - 1);
        large.moveTo({ x, y });
        large.addArc({ x, y }, R, 0, 2 * std::numbers::pi, true);
        if (m_tickOptions.enableSmallTicks && e > 0) {
            const double sx = (e - 0.5) * W / (n - 1);
            small.moveTo({ sx, y });
            small.addArc({ sx, y }, r, 0, 2 * std::numbers::pi, true);
        }
    }
    const auto finish = [](GradientLayer &ticks, const Path &path) {
        ticks.setStrokeColor(Color::clear());
        ticks.setFillColor(Color::black());
        ticks.setLineWidth(0);
        ticks.draw();
        ticks.setPath(path);
    };
    if (m_smallTickLayer && m_tickOptions.enableSmallTicks)
        finish(*m_smallTickLayer, small);
    finish(*m_largeTickLayer, large);
}

void GraphView::drawGrid()
{
    m_gridLayer->removeFromSuperlayer();
    m_bottomLineLayer->removeFromSuperlayer();
    const GridOptions &g = m_gridOptions;
    if (!g.drawTopLine && !g.drawBottomLine && g.verticalSegments == 0 && g.horizontalSegments == 0)
        return;

    const double w = g.gridLineWidth;
    const double W = bounds().width(), H = bounds().height(), B = bottomInset();
    const double scale = ScreenExtensions::mainScale();
    const Color color = g.color.resolved(effectiveAppearance());

    m_gridLayer->setStrokeColor(color);
    m_gridLayer->setLineWidth(w);
    m_gridLayer->setFillColor(std::nullopt);
    m_gridLayer->setContentsScale(scale);
    m_gridLayer->setLineDashPhase(g.lineDashPhase);
    m_gridLayer->setLineDashPattern(g.lineDashPattern.value_or(std::vector<double> {}));

    Path grid;
    if (g.drawTopLine) {
        grid.moveTo({ 0, w / 2 });
        grid.lineTo({ W, w / 2 });
    }
    if (const int n = g.horizontalSegments; n > 1) {
        for (int i = 1; i < n; ++i) {
            const double y = (H - B) / n * i - w / 2;
            grid.moveTo({ 0, y });
            grid.lineTo({ W, y });
        }
    }
    if (const int m = g.verticalSegments; m > 1) {
        for (int i = 1; i < m; ++i) {
            const double x = i * (W / m);
            grid.moveTo({ x, 0 });
            grid.lineTo({ x, H - B });
        }
    }

    if (g.drawBottomLine) {
        m_bottomLineLayer->setStrokeColor(color);
        m_bottomLineLayer->setLineWidth(w);
        m_bottomLineLayer->setFillColor(std::nullopt);
        m_bottomLineLayer->setContentsScale(scale);
        Path bottom;
        bottom.moveTo({ 0, H - B - w / 2 });
        bottom.lineTo({ W, H - B - w / 2 });
        m_bottomLineLayer->setPath(bottom);
        layer()->addSublayer(m_bottomLineLayer);
    }

    m_gridLayer->setPath(grid);
    layer()->addSublayer(m_gridLayer);
}

void GraphView::drawLabels()
{
    for (const auto &text : m_textLayers)
        text->removeFromSuperlayer();
    m_textLayers.clear();
    if (!m_labelsEnabled)
        return;

    const double W = bounds().width(), H = bounds().height(), B = bottomInset();
    const platform::ui::Font font = m_fontOptions.font;
    const Color foreground = effectiveAppearance().isDark() ? Color::white() : Color::black();
    platform::ui::TextAttributes measuring;
    measuring.font = font;

    enum class Which { min, half, max };
    const auto add = [&](Which which) {
        const double value = which == Which::min ? m_minValue
            : which == Which::half               ? (m_maxValue - m_minValue) * 0.5 + m_minValue
                                                 : m_maxValue;
        const QString text = labelText(value);
        const double h = platform::ui::Text::boundingRect(text, { 128, 96 }, measuring).height();
        const double y = which == Which::min ? H - B - 4 - h : which == Which::half ? H * 0.5 - B * 0.5 - h * 0.5 : 4;
        auto label = TextLayer::create();
        label->setFont(font);
        label->setFontSize(font.pointSize());
        label->setForegroundColor(foreground);
        label->setString(text);
        label->setContentsScale(ScreenExtensions::mainScale());
        label->setFrame(Rect(W - 128 - 4, y, 128, font.pointSize()));
        label->setAlignmentMode(platform::ui::TextAlignment::right);
        layer()->addSublayer(label);
        m_textLayers.push_back(label);
    };
    if (m_fontOptions.showMinValue)
        add(Which::min);
    if (m_fontOptions.showHalfValue)
        add(Which::half);
    if (m_fontOptions.showMaxValue)
        add(Which::max);
}

QString GraphView::labelText(double value) const
{
    double x = value * m_autoGraphModeTextScale;
    switch (m_autoGraphMode) {
    case AutoGraphMode::none:
        break;
    case AutoGraphMode::byteSpeed:
        x = x / Utilities::dataRateDivisor(rateCount(x), false);
        break;
    case AutoGraphMode::bitSpeed:
        x = value * 8 * m_autoGraphModeTextScale / Utilities::dataRateDivisor(rateCount(x), true);
        break;
    }
    return QString::asprintf("%.0f ", x) + m_unit;
}

void GraphView::calculateMax()
{
    double maximum = DBL_MIN;
    for (const auto &plotter : m_plotters)
        for (const auto &d : plotter->data())
            if (d && maximum < *d)
                maximum = *d;
    setMaxValue(maximum);
}

void GraphView::plotterNeedsRedraw(IDataPlotter &plotter) { queueDraw(plotter); }

void GraphView::plotterDataChanged(IDataPlotter &plotter)
{
    if (m_autoCalculateMax)
        calculateMax();
    queueDraw(plotter);
}

void GraphView::queueDraw(IDataPlotter &plotter)
{
    // The bounds are read when the block runs; a view or plotter gone by then draws nothing.
    std::weak_ptr<IDataPlotter> weak = plotter.weak_from_this();
    QPointer<GraphView> self(this);
    platform::MainQueue::async([self, weak] {
        if (auto p = weak.lock(); p && self)
            self->drawPlotter(*p);
    });
}

void GraphView::layout()
{
    View::layout();
    refresh();
}

void GraphView::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    refresh();
}

void GraphView::viewWillMoveToSuperview(platform::ui::View *newSuperview)
{
    View::viewWillMoveToSuperview(newSuperview);
    if (newSuperview)
        return;
    removeAllPlotters();
    if (m_axisX)
        m_axisX->clear();
    setAxisX(nullptr);
}

} // namespace pirrow
