#include "pirrow/hierarchicalbutton.h"

#include "buttonlayers_p.h"
#include "pirrow/imageextensions.h"
#include "pirrow/screenextensions.h"

#include <platform/ui/text.h>

namespace pirrow {

using namespace platform::ui;

HierarchicalButton::HierarchicalButton(const Rect &frame, QWidget *parent)
    : Button(frame, parent)
    , m_textLayer(TextLayer::create())
    , m_imageLayer(Layer::create())
    , m_color(Color::systemBlue())
{
    update();
}

void HierarchicalButton::setHorizontalPadding(double padding)
{
    m_horizontalPadding = padding;
    layout();
}

void HierarchicalButton::setVerticalPadding(double padding)
{
    m_verticalPadding = padding;
    layout();
}

void HierarchicalButton::setRound(bool on)
{
    m_isRound = on;
    layout();
}

void HierarchicalButton::setColor(const Color &color)
{
    m_color = color;
    update();
}

void HierarchicalButton::setImage(std::optional<Image> image)
{
    m_image = std::move(image);
    update();
}

Size HierarchicalButton::intrinsicContentSize() const
{
    TextAttributes attributes;
    attributes.font = font();
    Size natural = title().isEmpty() ? (m_image ? m_image->size() : Size()) : Text::size(title(), attributes);
    natural.width += m_horizontalPadding;
    natural.height += m_verticalPadding;
    return natural;
}

void HierarchicalButton::layout()
{
    Button::layout();
    update();
}

void HierarchicalButton::drawRect(GraphicsContext &, const Rect &) { }

void HierarchicalButton::update()
{
    setWantsLayer(true);
    m_textLayer->removeFromSuperlayer();
    m_imageLayer->removeFromSuperlayer();
    layer()->setMasksToBounds(true);
    layer()->setCornerRadius(m_isRound ? frame().height() / 2 : 4);
    layer()->setBackgroundColor(m_color.withAlphaComponent(0.22).resolved(effectiveAppearance()));

    if (!title().isEmpty()) {
        detail::placeTitle(*this, *m_textLayer, m_color);
    } else if (m_image) {
        m_image->setTemplate(true);
        m_imageLayer->setFrame(bounds());
        m_imageLayer->setContents(ImageExtensions::resized(
            ImageExtensions::tinted(*m_image, m_color.resolved(effectiveAppearance())), 16, 16));
        m_imageLayer->setContentsScale(ScreenExtensions::mainScale());
        layer()->addSublayer(m_imageLayer);
    }
}

void HierarchicalButton::mouseDown(const MouseEvent &event)
{
    m_pressed = isEnabled();
    if (!m_pressed)
        return;
    detail::applyPressScale(*this, 0.95);
    Button::mouseDown(event);
}

void HierarchicalButton::mouseUp(const MouseEvent &event)
{
    if (!m_pressed)
        return;
    m_pressed = false;
    Button::mouseUp(event);
    detail::applyPressScale(*this, 1);
}

} // namespace pirrow
