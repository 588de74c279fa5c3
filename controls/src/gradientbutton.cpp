#include "pirrow/gradientbutton.h"

#include "buttonlayers_p.h"
#include "pirrow/colors.h"
#include "pirrow/screenextensions.h"

#include <QEvent>

namespace pirrow {

using namespace platform::ui;

GradientButton::GradientButton(const Rect &frame, QWidget *parent)
    : Button(frame, parent)
    , m_maskingLayer(ShapeLayer::create())
    , m_gradientLayer(platform::ui::GradientLayer::create())
    , m_textLayer(TextLayer::create())
    , m_colors { Colors::teal(), Colors::cyan() }
{
    refresh();
}

void GradientButton::setColors(std::vector<Color> colors)
{
    m_colors = std::move(colors);
    refresh();
}

void GradientButton::setCornerRadius(double radius)
{
    m_cornerRadius = radius;
    if (layer())
        layer()->setCornerRadius(radius);
}

void GradientButton::layout()
{
    Button::layout();
    refresh();
}

void GradientButton::drawRect(GraphicsContext &, const Rect &) { }

void GradientButton::changeEvent(QEvent *event)
{
    Button::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        refresh();
}

void GradientButton::refresh()
{
    setWantsLayer(true);
    layer()->setMasksToBounds(true);
    layer()->setCornerRadius(m_cornerRadius);
    drawBackground();
    drawTitle();
}

void GradientButton::drawBackground()
{
    m_gradientLayer->removeFromSuperlayer();
    const Rect b = bounds();
    const double scale = ScreenExtensions::mainScale();
    m_maskingLayer->setFrame(b);
    m_maskingLayer->setPath(Path::rect(b));
    m_maskingLayer->setFillColor(Color::black());
    m_maskingLayer->setStrokeColor(Color::clear());
    m_maskingLayer->setPosition({ b.midX(), b.midY() });
    m_maskingLayer->setContentsScale(scale);

    m_gradientLayer->setFrame(b);
    m_gradientLayer->setColors(m_colors);
    m_gradientLayer->setStartPoint({ 0, 0.5 });
    m_gradientLayer->setEndPoint({ 1, 0.5 });
    m_gradientLayer->setMask(m_maskingLayer);
    m_gradientLayer->setContentsScale(scale);
    m_gradientLayer->setPosition({ b.midX(), b.midY() });
    layer()->addSublayer(m_gradientLayer);
}

void GradientButton::drawTitle()
{
    m_textLayer->removeFromSuperlayer();
    detail::placeTitle(*this, *m_textLayer, isEnabled() ? Color::white() : Color::darkGray());
}

void GradientButton::mouseDown(const MouseEvent &event)
{
    m_pressed = true;
    detail::applyPressScale(*this, 0.95);
    if (isEnabled())
        Button::mouseDown(event);
}

void GradientButton::mouseUp(const MouseEvent &event)
{
    if (!m_pressed)
        return;
    m_pressed = false;
    if (isEnabled())
        Button::mouseUp(event);
    detail::applyPressScale(*this, 1);
}

} // namespace pirrow
