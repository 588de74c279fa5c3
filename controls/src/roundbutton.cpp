#include "pirrow/roundbutton.h"

#include "buttonlayers_p.h"
#include "pirrow/screenextensions.h"

namespace pirrow {

using namespace platform::ui;

RoundButton::RoundButton(const Rect &frame, QWidget *parent)
    : Button(frame, parent)
    , m_textLayer(TextLayer::create())
    , m_imageLayer(Layer::create())
    , m_backgroundLayer(ShapeLayer::create())
    , m_color(Color::systemBlue())
{
    updateLayers();
}

void RoundButton::setColor(const Color &color)
{
    m_color = color;
    updateLayers();
}

void RoundButton::setCustomImage(std::optional<Image> image)
{
    m_customImage = std::move(image);
    updateLayers();
}

void RoundButton::layout()
{
    Button::layout();
    updateLayers();
}

void RoundButton::drawRect(GraphicsContext &, const Rect &) { }

void RoundButton::updateLayers()
{
    setWantsLayer(true);
    layer()->setMasksToBounds(true);
    layer()->setCornerRadius(4);
    m_backgroundLayer->setStrokeColor(std::nullopt);
    detail::placeBackground(*this, *m_backgroundLayer, 4, m_color);

    m_textLayer->removeFromSuperlayer();
    detail::placeTitle(*this, *m_textLayer, Color::white());

    m_imageLayer->removeFromSuperlayer();
    m_imageLayer->setFrame(bounds());
    m_imageLayer->setContents(m_customImage);
    m_imageLayer->setContentsGravity(ContentsGravity::center);
    m_imageLayer->setContentsScale(ScreenExtensions::mainScale());
    layer()->addSublayer(m_imageLayer);
}

void RoundButton::mouseDown(const MouseEvent &event)
{
    // A disabled button takes the press without any effect.
    m_pressed = isEnabled();
    if (!m_pressed)
        return;
    detail::applyPressScale(*this, 0.95);
    Button::mouseDown(event);
}

void RoundButton::mouseUp(const MouseEvent &event)
{
    if (!m_pressed)
        return;
    m_pressed = false;
    Button::mouseUp(event);
    detail::applyPressScale(*this, 1);
}

} // namespace pirrow
