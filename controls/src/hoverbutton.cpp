#include "pirrow/hoverbutton.h"

#include "buttonlayers_p.h"
#include "pirrow/screenextensions.h"
#include "pirrow/viewextensions.h"

namespace pirrow {

using namespace platform::ui;

HoverButton::HoverButton(const Rect &frame, QWidget *parent)
    : Button(frame, parent)
    , m_textLayer(TextLayer::create())
    , m_imageLayer(Layer::create())
    , m_backgroundLayer(ShapeLayer::create())
    , m_textColor(Color::text())
{
    detail::replaceTrackingArea(*this, m_trackingArea);
    updateLayers();
}

void HoverButton::setTextColor(const Color &color)
{
    m_textColor = color;
    updateLayers();
}

void HoverButton::setAlwaysShowBackground(bool on)
{
    m_alwaysShowBackground = on;
    updateLayers();
}

void HoverButton::setCustomImage(std::optional<Image> image)
{
    m_customImage = std::move(image);
    updateLayers();
}

void HoverButton::layout()
{
    Button::layout();
    detail::replaceTrackingArea(*this, m_trackingArea);
    updateLayers();
}

void HoverButton::drawRect(GraphicsContext &, const Rect &) { }

void HoverButton::updateLayers()
{
    setWantsLayer(true);
    layer()->setMasksToBounds(true);
    layer()->setCornerRadius(6);

    std::optional<Color> fill;
    if (!isEnabled())
        fill = Color::lightGray();
    else if (m_hover || m_alwaysShowBackground)
        fill = ViewExtensions::isDark(*this) ? Color::fromRGB255(41, 41, 41) : Color::fromRGB255(242, 242, 242);
    detail::placeBackground(*this, *m_backgroundLayer, 6, fill);

    m_textLayer->removeFromSuperlayer();
    detail::placeTitle(*this, *m_textLayer, m_textColor);

    m_imageLayer->removeFromSuperlayer();
    m_imageLayer->setFrame(bounds());
    m_imageLayer->setContents(m_customImage);
    m_imageLayer->setContentsGravity(ContentsGravity::center);
    m_imageLayer->setContentsScale(ScreenExtensions::mainScale());
    layer()->addSublayer(m_imageLayer);
}

void HoverButton::mouseEntered(const MouseEvent &event)
{
    Button::mouseEntered(event);
    m_hover = true;
    updateLayers();
}

void HoverButton::mouseExited(const MouseEvent &event)
{
    Button::mouseExited(event);
    m_hover = false;
    updateLayers();
}

void HoverButton::mouseDown(const MouseEvent &event)
{
    Button::mouseDown(event);
    if (const auto delegate = m_delegate.lock())
        delegate->hoverButtonClicked(*this);
}

} // namespace pirrow
