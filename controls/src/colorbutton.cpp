#include "pirrow/colorbutton.h"

#include "buttonlayers_p.h"
#include "pirrow/screenextensions.h"

#include <QEvent>

namespace pirrow {

using namespace platform::ui;

ColorButton::ColorButton(const Rect &frame, QWidget *parent)
    : Button(frame, parent)
    , m_textLayer(TextLayer::create())
    , m_backgroundLayer(ShapeLayer::create())
    , m_color(Color::controlAccent())
{
    refresh();
}

void ColorButton::setFill(bool on)
{
    m_fill = on;
    refresh();
}

void ColorButton::setLineWidth(double width)
{
    m_lineWidth = width;
    refresh();
}

void ColorButton::setColor(const Color &color)
{
    m_color = color;
    refresh();
}

void ColorButton::setTextColor(std::optional<Color> color)
{
    m_textColor = std::move(color);
    refresh();
}

void ColorButton::setCornerRadius(double radius)
{
    m_cornerRadius = radius;
    if (layer())
        layer()->setCornerRadius(radius);
}

void ColorButton::layout()
{
    Button::layout();
    refresh();
}

void ColorButton::drawRect(GraphicsContext &, const Rect &) { }

void ColorButton::changeEvent(QEvent *event)
{
    Button::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        refresh();
}

void ColorButton::refresh()
{
    setWantsLayer(true);
    layer()->setMasksToBounds(true);
    layer()->setCornerRadius(m_cornerRadius);
    drawBackground();
    drawTitle();
}

void ColorButton::drawBackground()
{
    const bool enabled = isEnabled();
    const Color stroke = enabled ? m_color : Color::lightGray();
    const std::optional<Color> fillColor
        = enabled ? (m_fill ? std::optional<Color>(m_color) : std::nullopt) : std::optional<Color>(Color::lightGray());
    detail::placeBackground(*this, *m_backgroundLayer, m_cornerRadius, fillColor);
    m_backgroundLayer->setLineWidth(m_lineWidth);
    m_backgroundLayer->setStrokeColor(stroke.resolved(effectiveAppearance()));
}

void ColorButton::drawTitle()
{
    m_textLayer->removeFromSuperlayer();
    const Color color = isEnabled() ? m_textColor.value_or(m_color) : Color::darkGray();
    detail::placeTitle(*this, *m_textLayer, color);
}

void ColorButton::mouseDown(const MouseEvent &event)
{
    m_pressed = true;
    detail::applyPressScale(*this, 0.95);
    if (isEnabled())
        Button::mouseDown(event);
}

void ColorButton::mouseUp(const MouseEvent &event)
{
    if (!m_pressed)
        return;
    m_pressed = false;
    if (isEnabled())
        Button::mouseUp(event);
    detail::applyPressScale(*this, 1);
}

} // namespace pirrow
