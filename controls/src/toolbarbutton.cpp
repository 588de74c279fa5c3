#include "pirrow/toolbarbutton.h"

#include "buttonlayers_p.h"
#include "pirrow/imageextensions.h"
#include "pirrow/screenextensions.h"

namespace pirrow {

using namespace platform::ui;

ToolbarButton::ToolbarButton(const Rect &frame, QWidget *parent)
    : Button(frame, parent)
    , m_imageLayer(Layer::create())
    , m_backgroundLayer(ShapeLayer::create())
{
    detail::replaceTrackingArea(*this, m_trackingArea);
    updateLayers();
}

void ToolbarButton::setCustomImage(std::optional<Image> image)
{
    m_customImage = std::move(image);
    updateLayers();
}

void ToolbarButton::setCustomColor(std::optional<Color> color)
{
    m_customColor = std::move(color);
    updateLayers();
}

void ToolbarButton::setPointSize(double size)
{
    m_pointSize = size;
    updateLayers();
}

void ToolbarButton::setIconWeight(double weight)
{
    m_iconWeight = weight;
    updateLayers();
}

void ToolbarButton::setSelected(bool selected)
{
    m_isSelected = selected;
    resetHover();
}

void ToolbarButton::resetHover()
{
    m_hover = false;
    updateLayers();
}

void ToolbarButton::layout()
{
    Button::layout();
    detail::replaceTrackingArea(*this, m_trackingArea);
    updateLayers();
}

void ToolbarButton::drawRect(GraphicsContext &, const Rect &) { }

void ToolbarButton::updateLayers()
{
    setWantsLayer(true);
    layer()->setMasksToBounds(true);
    layer()->setCornerRadius(6);
    const Color accent = m_customColor.value_or(Color::controlAccent());
    const std::optional<Color> fill
        = (m_hover || m_isSelected) ? std::optional<Color>(accent.withAlphaComponent(0.22)) : std::nullopt;
    detail::placeBackground(*this, *m_backgroundLayer, 6, fill);
    drawImage();
}

void ToolbarButton::drawImage()
{
    m_imageLayer->removeFromSuperlayer();
    if (m_customImage)
        m_customImage->setTemplate(true);
    m_imageLayer->setFrame(bounds());
    std::optional<Image> contents;
    // A symbol is drawn anew at the point size and weight; another picture is only scaled (it has no
    // strokes to weigh), and a blank one gives nothing: only the background shows.
    std::optional<Image> configured;
    if (m_customImage && m_customImage->isSymbolImage()) {
        configured = m_customImage->withSymbolConfiguration(m_pointSize, m_iconWeight);
    } else if (m_customImage && !m_customImage->isBlank()) {
        const Size natural = m_customImage->size();
        const double factor = m_pointSize / 13;
        configured = ImageExtensions::resized(*m_customImage, natural.width * factor, natural.height * factor);
        configured->setTemplate(true);
    }
    if (configured)
        contents = ImageExtensions::tinted(
            *configured, m_customColor.value_or(Color::controlAccent()).resolved(effectiveAppearance()));
    m_imageLayer->setContents(contents);
    m_imageLayer->setContentsGravity(ContentsGravity::center);
    m_imageLayer->setContentsScale(ScreenExtensions::mainScale());
    layer()->addSublayer(m_imageLayer);
}

void ToolbarButton::mouseEntered(const MouseEvent &event)
{
    Button::mouseEntered(event);
    if (!isEnabled())
        return;
    m_hover = true;
    updateLayers();
}

void ToolbarButton::mouseExited(const MouseEvent &event)
{
    Button::mouseExited(event);
    if (!isEnabled())
        return;
    m_hover = false;
    updateLayers();
}

void ToolbarButton::mouseDown(const MouseEvent &event)
{
    Button::mouseDown(event);
    if (const auto delegate = m_delegate.lock())
        delegate->toolbarButtonClicked(*this);
}

void ToolbarButton::viewWillMoveToSuperview(View *newSuperview)
{
    Button::viewWillMoveToSuperview(newSuperview);
    resetHover();
}

} // namespace pirrow
