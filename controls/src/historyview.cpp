#include "pirrow/historyview.h"

#include "pirrow/gradients.h"
#include "pirrow/screenextensions.h"

#include <cmath>

namespace pirrow {

using platform::ui::Color;
using platform::ui::Path;
using platform::ui::Rect;

namespace {

    /// More cells than any column could show: a value far above the maximum lights this many.
    constexpr int kMostCells = 1000;

} // namespace

HistoryView::HistoryView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_colors(Gradients::magentaToOrange().mColors)
{
    setWantsLayer(true);
    layer()->addSublayer(m_backgroundLayer);
    layer()->addSublayer(m_gradientLayer);
    // The gradient's set-up, done here directly: nothing is to be drawn without values.
    m_gradientLayer->setFrame(bounds());
    m_gradientLayer->setContentsScale(ScreenExtensions::mainScale());
    m_gradientLayer->setColors(m_colors);
    m_gradientLayer->setStartPoint({ 0.5, 1.0 });
    m_gradientLayer->setEndPoint({ 0.5, 0.0 });
}

double HistoryView::contentWidth() const
{
    const double n = double(m_data.size());
    return n * m_length + n * m_offset;
}

void HistoryView::changed()
{
    if (m_locked)
        return;
    drawBackground();
    drawData();
}

void HistoryView::setLength(double l)
{
    m_length = l;
    changed();
}

void HistoryView::setBackColor(const Color &c)
{
    m_backColor = c;
    changed();
}

void HistoryView::setOffset(double o)
{
    m_offset = o;
    changed();
}

void HistoryView::setData(std::vector<double> values)
{
    m_data = std::move(values);
    changed();
}

void HistoryView::setColors(std::vector<Color> colors)
{
    m_colors = std::move(colors);
    m_gradientLayer->setColors(m_colors);
}

void HistoryView::setMax(double m)
{
    m_max = m;
    changed();
}

void HistoryView::redraw() { changed(); }

void HistoryView::unlock()
{
    m_locked = false;
    drawBackground();
    drawData();
}

void HistoryView::drawBackground()
{
    if (m_oldDataCount == int(m_data.size()))
        return;
    m_backgroundLayer->setFillColor(m_backColor.resolved(effectiveAppearance()));
    m_backgroundLayer->setStrokeColor(std::nullopt);
    m_backgroundLayer->setContentsScale(ScreenExtensions::mainScale());
    m_backgroundLayer->setFrame(bounds());
    const double pitch = m_length + m_offset;
    Path cells;
    for (size_t i = 0; i < m_data.size(); ++i)
        for (int k = 0; k < 10; ++k)
            cells.addRect(Rect(double(i) * pitch, k * pitch, m_length, m_length));
    m_backgroundLayer->setPath(cells);
    m_oldDataCount = int(m_data.size());
}

void HistoryView::setupGradient()
{
    m_gradientLayer->setFrame(bounds());
    m_gradientLayer->setContentsScale(ScreenExtensions::mainScale());
    m_gradientLayer->setColors(m_colors);
    m_gradientLayer->setStartPoint({ 0.5, 1.0 });
    m_gradientLayer->setEndPoint({ 0.5, 0.0 });
}

void HistoryView::drawData()
{
    auto mask = platform::ui::ShapeLayer::create();
    mask->setFillColor(Color::black());
    mask->setStrokeColor(std::nullopt);
    mask->setContentsScale(ScreenExtensions::mainScale());
    mask->setFrame(bounds());
    const double pitch = m_length + m_offset;
    Path cells;
    for (size_t i = 0; i < m_data.size(); ++i) {
        const double share = m_data[i] / m_max * 10;
        if (std::isnan(share))
            continue;
        // An infinite share (a zero maximum) lights the full column; a share far beyond the maximum
        // is cut where no screen could show it.
        const int lit = std::isinf(share) ? (share > 0 ? 10 : 0) : int(std::min<double>(std::trunc(share), kMostCells));
        for (int k = 0; k < lit; ++k)
            cells.addRect(Rect(double(i) * pitch, k * pitch, m_length, m_length));
    }
    mask->setPath(cells);
    m_gradientLayer->setFrame(bounds());
    m_gradientLayer->setColors(m_colors);
    m_gradientLayer->setMask(mask);
}

void HistoryView::layout()
{
    View::layout();
    changed();
}

void HistoryView::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    changed();
}

} // namespace pirrow
