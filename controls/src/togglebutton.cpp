#include "pirrow/togglebutton.h"

#include "buttonlayers_p.h"
#include "pirrow/colors.h"
#include "pirrow/imageextensions.h"
#include "pirrow/screenextensions.h"
#include "pirrow/viewextensions.h"

namespace pirrow {

using namespace platform::ui;

ToggleButton::ToggleButton(const Rect &frame, QWidget *parent)
    : Button(frame, parent)
    , m_textLayer(TextLayer::create())
    , m_backgroundLayer(ShapeLayer::create())
    , m_imageLayer(Layer::create())
    , m_onColor(Colors::hover().resolved())
{
    detail::replaceTrackingArea(*this, m_trackingArea);
    updateLayers();
}

Color ToggleButton::hoverColor() const
{
    if (ViewExtensions::isDark(*this))
        return Color::quaternaryLabel().resolved(effectiveAppearance()).withAlphaComponent(0.4);
    return Color::fromRGB255(242, 242, 242);
}

void ToggleButton::setOnColor(const Color &color)
{
    m_onColor = color;
    updateLayers();
}

void ToggleButton::setAlwaysShowBackground(bool on)
{
    m_alwaysShowBackground = on;
    updateLayers();
}

void ToggleButton::setOn(bool on)
{
    m_isOn = on;
    m_hover = false;
    updateLayers();
}

void ToggleButton::setIcon(std::optional<Image> icon)
{
    m_icon = std::move(icon);
    updateLayers();
}

void ToggleButton::layout()
{
    Button::layout();
    detail::replaceTrackingArea(*this, m_trackingArea);
    updateLayers();
}

void ToggleButton::drawRect(GraphicsContext &, const Rect &) { }

void ToggleButton::updateLayers()
{
    setWantsLayer(true);
    layer()->setMasksToBounds(true);
    layer()->setCornerRadius(6);
    drawBackground();
    drawText();
    drawIcon();
}

void ToggleButton::drawBackground()
{
    std::optional<Color> fill;
    if (!isEnabled())
        fill = Color::lightGray();
    else if (m_isOn)
        fill = m_onColor;
    else if (m_hover || m_alwaysShowBackground)
        fill = hoverColor();
    detail::placeBackground(*this, *m_backgroundLayer, 6, fill);
}

void ToggleButton::drawText()
{
    m_textLayer->removeFromSuperlayer();
    Color color = m_isOn ? Color::systemBlue() : Color::label();
    if (m_alwaysShowBackground && m_hover && !m_isOn)
        color = ViewExtensions::isDark(*this) ? Color::systemTeal() : Color::systemBlue();
    detail::placeTitle(*this, *m_textLayer, color);
}

void ToggleButton::drawIcon()
{
    m_imageLayer->removeFromSuperlayer();
    if (!m_icon || m_iconSize.width <= 0 || m_iconSize.height <= 0)
        return;
    m_imageLayer->setFrame(
        Rect(4, bounds().height() * 0.5 - m_iconSize.height * 0.5, m_iconSize.width, m_iconSize.height));
    m_imageLayer->setContents(ImageExtensions::resized(*m_icon, m_iconSize.width, m_iconSize.height));
    m_imageLayer->setContentsGravity(ContentsGravity::center);
    m_imageLayer->setContentsScale(ScreenExtensions::mainScale());
    layer()->addSublayer(m_imageLayer);
}

void ToggleButton::mouseEntered(const MouseEvent &event)
{
    Button::mouseEntered(event);
    m_hover = true;
    updateLayers();
}

void ToggleButton::mouseExited(const MouseEvent &event)
{
    Button::mouseExited(event);
    m_hover = false;
    updateLayers();
}

void ToggleButton::mouseDown(const MouseEvent &event)
{
    // Swallowed completely: the press neither highlights nor reaches the superview.
    m_swallowing = m_ignoreClick;
    if (m_swallowing)
        return;
    Button::mouseDown(event);
    if (const auto delegate = m_delegate.lock())
        delegate->toggleButtonClicked(*this);
}

void ToggleButton::mouseUp(const MouseEvent &event)
{
    if (m_swallowing)
        return;
    Button::mouseUp(event);
}

void ToggleButton::viewDidChangeEffectiveAppearance()
{
    Button::viewDidChangeEffectiveAppearance();
    updateLayers();
}

} // namespace pirrow
