#include "pirrow/gradientcirculargauge.h"

#include "pirrow/colors.h"
#include "ringlayers_p.h"

#include <platform/ui/basicanimation.h>
#include <platform/ui/screen.h>

namespace pirrow {

using namespace platform::ui;

GradientCircularGauge::GradientCircularGauge(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_maskingLayer(ShapeLayer::create())
    , m_backgroundLayer(ShapeLayer::create())
    , m_gradientLayer(GradientLayer::create())
    , m_backColor(Color::tertiaryLabel())
    , m_colors { Colors::teal(), Colors::cyan() }
{
    awakeFromNib();
}

void GradientCircularGauge::awakeFromNib()
{
    setWantsLayer(true);
    layer()->addSublayer(m_backgroundLayer);
    layer()->addSublayer(m_gradientLayer);
}

void GradientCircularGauge::setBackColor(const Color &color)
{
    m_backColor = color;
    layout();
}

void GradientCircularGauge::setColors(std::vector<Color> colors)
{
    m_colors = std::move(colors);
    layout();
}

void GradientCircularGauge::setLineWidth(double width)
{
    m_lineWidth = width;
    layout();
}

void GradientCircularGauge::setUseRoundCap(bool on)
{
    m_useRoundCap = on;
    layout();
}

void GradientCircularGauge::setValue(double value)
{
    if (value == m_value)
        return;
    m_oldValue = m_value;
    m_value = value;
    animateValue();
}

void GradientCircularGauge::layout()
{
    View::layout();
    drawBackground();
    drawProgress();
}

void GradientCircularGauge::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    layout();
}

double GradientCircularGauge::radius() const { return bounds().width() / 2 - 2 * m_lineWidth - 2; }

void GradientCircularGauge::drawBackground()
{
    const LineCap cap = m_useRoundCap ? LineCap::round : LineCap::butt;
    detail::configureRing(*m_backgroundLayer, *this, m_lineWidth, m_backColor,
        detail::ringTrack({ bounds().width() / 2, bounds().height() / 2 }, radius()), cap);
}

void GradientCircularGauge::drawProgress()
{
    const LineCap cap = m_useRoundCap ? LineCap::round : LineCap::butt;
    detail::configureRing(*m_maskingLayer, *this, m_lineWidth, Color::black(),
        detail::ringFill({ bounds().width() / 2, bounds().height() / 2 }, radius()), cap);
    m_maskingLayer->setStrokeStart(0);
    m_maskingLayer->setStrokeEnd(0);

    const double scale = Screen::mainBackingScaleFactor();
    m_gradientLayer->setContentsScale(scale);
    m_gradientLayer->setFrame(bounds());
    m_gradientLayer->setColors(m_colors);
    m_gradientLayer->setStartPoint({ 0, 0.5 });
    m_gradientLayer->setEndPoint({ 1, 0.5 });
    m_gradientLayer->setMask(m_maskingLayer);
}

void GradientCircularGauge::animateValue()
{
    BasicAnimation animation(QStringLiteral("strokeEnd"));
    animation.setDuration(m_duration);
    animation.setTimingFunction(TimingFunction::named(TimingFunction::Name::easeInEaseOut));
    animation.setFromValue(m_oldValue);
    animation.setToValue(m_value);
    // Only an empty gauge lets go of its animation: the model stroke end is 0, so that is what stays.
    animation.setRemovedOnCompletion(m_value == 0);
    animation.setFillMode(FillMode::both);
    m_maskingLayer->addAnimation(animation, QStringLiteral("strokeEnd"));
}

} // namespace pirrow
