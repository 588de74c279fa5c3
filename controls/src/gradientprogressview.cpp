#include "pirrow/gradientprogressview.h"

#include "pirrow/colors.h"

#include <platform/ui/screen.h>
#include <platform/ui/transaction.h>

#include <cmath>

namespace pirrow {

using namespace platform::ui;

GradientProgressView::GradientProgressView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_bgLayer(ShapeLayer::create())
    , m_progressLayer(ShapeLayer::create())
    , m_gradientLayer(GradientLayer::create())
    , m_colors { Colors::teal(), Colors::cyan() }
{
    setupLayers();
}

void GradientProgressView::setupLayers()
{
    const double scale = Screen::mainBackingScaleFactor();
    const double height = bounds().height();
    setWantsLayer(true);
    layer()->setMasksToBounds(true);
    layer()->setCornerRadius(height * 0.5);

    m_bgLayer->setContentsScale(scale);
    m_bgLayer->setFillColor(std::nullopt);
    m_bgLayer->setStrokeColor(Color::tertiaryLabel().resolved(effectiveAppearance()));
    m_bgLayer->setLineWidth(height);
    layer()->addSublayer(m_bgLayer);

    m_progressLayer->setStrokeColor(Color::black());
    m_progressLayer->setFillColor(std::nullopt);
    m_progressLayer->setLineWidth(height);
    m_progressLayer->setLineCap(LineCap::round);
    m_progressLayer->setStrokeStart(0);
    m_progressLayer->setStrokeEnd(0);
    m_progressLayer->setContentsScale(scale);

    m_gradientLayer->setContentsScale(scale);
    m_gradientLayer->setStartPoint({ 0, 0.5 });
    m_gradientLayer->setEndPoint({ 1, 0.5 });
    m_gradientLayer->setMask(m_progressLayer);
    layer()->addSublayer(m_gradientLayer);
}

void GradientProgressView::setValue(double value)
{
    m_value = value;
    if (m_value > 1)
        m_value = 1;
    else if (m_value < 0)
        m_value = 0;
    if (!std::isfinite(m_value))
        m_value = 0;
    Transaction::withoutActions([&] { m_progressLayer->setStrokeEnd(m_value); });
}

void GradientProgressView::setColors(std::vector<Color> colors)
{
    m_colors = std::move(colors);
    layout();
}

void GradientProgressView::layout()
{
    View::layout();
    const Rect b = bounds();
    const double w = b.width();
    const double h = b.height();
    layer()->setCornerRadius(h * 0.5);

    m_bgLayer->setFrame(b);
    m_bgLayer->setStrokeColor(Color::tertiaryLabel().resolved(effectiveAppearance()));
    m_bgLayer->setPath(Path::rect(b));
    // The line widths follow the height, so a bar laid out after being made at zero size still
    // fills its pill.
    m_bgLayer->setLineWidth(h);

    m_gradientLayer->setFrame(b);

    Path line;
    line.moveTo({ h / 2, h / 2 });
    line.lineTo({ w - h / 2, h / 2 });
    m_progressLayer->setPath(line);
    m_progressLayer->setLineWidth(h);

    m_gradientLayer->setColors(m_colors);
}

void GradientProgressView::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    layout();
}

} // namespace pirrow
