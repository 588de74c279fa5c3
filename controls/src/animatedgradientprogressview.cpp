#include "pirrow/animatedgradientprogressview.h"

#include "pirrow/colors.h"

#include <platform/ui/basicanimation.h>
#include <platform/ui/screen.h>

#include <cmath>
#include <limits>

namespace pirrow {

using namespace platform::ui;

AnimatedGradientProgressView::AnimatedGradientProgressView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_bgLayer(ShapeLayer::create())
    , m_progressLayer(ShapeLayer::create())
    , m_gradientLayer(GradientLayer::create())
    , m_blockLayer(ShapeLayer::create())
    , m_colors { Colors::teal(), Colors::cyan() }
    , m_backgroundColor(Color::tertiaryLabel())
{
}

void AnimatedGradientProgressView::setColors(std::vector<Color> colors)
{
    m_colors = std::move(colors);
    layout();
}

void AnimatedGradientProgressView::setIndeterminate(bool on)
{
    m_isIndeterminate = on;
    layout();
}

void AnimatedGradientProgressView::setBackgroundColor(const Color &color)
{
    m_backgroundColor = color;
    layout();
}

void AnimatedGradientProgressView::setHasCorners(bool on)
{
    m_hasCorners = on;
    layout();
}

void AnimatedGradientProgressView::setValue(double value)
{
    if (value > 0 && m_isIndeterminate) {
        m_blockLayer->removeAllAnimations();
        m_blockLayer->removeFromSuperlayer();
        setIndeterminate(false);
    }
    m_oldValue = m_value;
    m_value = value;
    if (m_value > 1)
        m_value = 1;
    else if (m_value < 0 || !std::isfinite(m_value))
        m_value = 0;
    animateValue();
}

void AnimatedGradientProgressView::reset()
{
    m_oldValue = 0;
    m_value = 0;
    m_progressLayer->removeAllAnimations();
    m_progressLayer->setStrokeStart(0);
    m_progressLayer->setStrokeEnd(0);
}

void AnimatedGradientProgressView::layout()
{
    View::layout();
    updateLayers();
}

void AnimatedGradientProgressView::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    layout();
}

void AnimatedGradientProgressView::updateLayers()
{
    const Rect b = bounds();
    const double w = b.width();
    const double h = b.height();
    const double scale = Screen::mainBackingScaleFactor();

    setWantsLayer(true);
    layer()->setMasksToBounds(true);
    layer()->setCornerRadius(m_hasCorners ? h * 0.5 : 0);

    m_bgLayer->removeFromSuperlayer();
    m_bgLayer->setContentsScale(scale);
    m_bgLayer->setFillColor(m_backgroundColor.resolved(effectiveAppearance()));
    m_bgLayer->setPath(Path::rect(b));
    layer()->addSublayer(m_bgLayer);

    m_blockLayer->removeAllAnimations();
    m_blockLayer->removeFromSuperlayer();
    if (m_isIndeterminate)
        startIndeterminate();

    Path line;
    if (m_hasCorners) {
        line.moveTo({ h / 2, h / 2 });
        line.lineTo({ w - h / 2, h / 2 });
    } else {
        line.moveTo({ 0, h / 2 });
        line.lineTo({ w, h / 2 });
    }
    m_progressLayer->setLineCap(m_hasCorners ? LineCap::round : LineCap::butt);
    m_progressLayer->setPath(line);
    m_progressLayer->setStrokeColor(Color::black());
    m_progressLayer->setFillColor(std::nullopt);
    m_progressLayer->setLineWidth(h);
    m_progressLayer->setStrokeStart(0);
    m_progressLayer->setStrokeEnd(0);
    m_progressLayer->setContentsScale(scale);

    m_gradientLayer->removeAllAnimations();
    m_gradientLayer->removeFromSuperlayer();
    m_gradientLayer->setContentsScale(scale);
    m_gradientLayer->setColors(m_colors);
    m_gradientLayer->setStartPoint({ 0, 0.5 });
    m_gradientLayer->setEndPoint({ 1, 0.5 });
    m_gradientLayer->setMask(m_progressLayer);
    m_gradientLayer->setFrame(b);
    layer()->addSublayer(m_gradientLayer);

    animateValue();
}

void AnimatedGradientProgressView::animateValue()
{
    BasicAnimation animation(QStringLiteral("strokeEnd"));
    animation.setFromValue(m_oldValue);
    animation.setToValue(m_value);
    animation.setDuration(m_duration);
    animation.setTimingFunction(TimingFunction::named(TimingFunction::Name::easeInEaseOut));
    animation.setFillMode(FillMode::forwards);
    animation.setRemovedOnCompletion(false);
    m_progressLayer->addAnimation(animation, QStringLiteral("strokeEnd"));
}

void AnimatedGradientProgressView::startIndeterminate()
{
    const double w = bounds().width();
    const double h = bounds().height();
    const int n = int(w / 28);
    Path stripes;
    for (int i = 0; i < 4 * n; ++i) {
        const double x = 20.0 * i + 8;
        stripes.moveTo({ x - 10, h });
        stripes.lineTo({ x, h });
        stripes.lineTo({ x + 10, 0 });
        stripes.lineTo({ x, 0 });
        stripes.closeSubpath();
    }
    m_blockLayer->setPath(stripes);
    m_blockLayer->setStrokeColor(std::nullopt);
    m_blockLayer->setFillColor(Color::separator().resolved(effectiveAppearance()));
    m_blockLayer->setContentsScale(Screen::mainBackingScaleFactor());
    layer()->addSublayer(m_blockLayer);

    BasicAnimation movement(QStringLiteral("position"));
    movement.setDuration(10);
    movement.setToValue(Point { 10 - w, m_blockLayer->bounds().origin.y });
    movement.setFillMode(FillMode::both);
    movement.setTimingFunction(TimingFunction::linear());
    movement.setRepeatCount(std::numeric_limits<double>::infinity());
    m_blockLayer->addAnimation(movement, QStringLiteral("movement"));
}

} // namespace pirrow
