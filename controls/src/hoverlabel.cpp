#include "pirrow/hoverlabel.h"

#include "pirrow/bezierpathextensions.h"
#include "pirrow/colors.h"
#include "pirrow/imageextensions.h"
#include "pirrow/screenextensions.h"
#include "pirrow/viewextensions.h"

#include <platform/ui/bezierpath.h>
#include <platform/ui/text.h>

namespace pirrow {

using namespace platform::ui;

HoverLabel::HoverLabel(const Rect &frame, QWidget *parent)
    : TextField(frame, parent)
    , m_textLayer(TextLayer::create())
    , m_backgroundLayer(ShapeLayer::create())
    , m_imageLayer(Layer::create())
{
    installTrackingArea();
    redraw();
}

Color HoverLabel::onColor() const { return Colors::hover().resolved(); }

Color HoverLabel::hoverColor() const
{
    if (ViewExtensions::isDark(*this))
        return Color::quaternaryLabel().resolved(effectiveAppearance()).withAlphaComponent(0.4);
    return Color::fromRGB255(242, 242, 242);
}

void HoverLabel::setStringValue(const QString &text)
{
    TextField::setStringValue(text);
    redraw();
}

void HoverLabel::setOn(bool on)
{
    m_isOn = on;
    redraw();
}

void HoverLabel::setIcon(std::optional<Image> icon)
{
    m_icon = std::move(icon);
    redraw();
}

void HoverLabel::layout()
{
    TextField::layout();
    installTrackingArea();
    redraw();
}

void HoverLabel::viewDidChangeEffectiveAppearance()
{
    TextField::viewDidChangeEffectiveAppearance();
    redraw();
}

void HoverLabel::mouseEntered(const MouseEvent &event)
{
    TextField::mouseEntered(event);
    m_hover = true;
    redraw();
}

void HoverLabel::mouseExited(const MouseEvent &event)
{
    TextField::mouseExited(event);
    m_hover = false;
    redraw();
}

void HoverLabel::drawRect(GraphicsContext &, const Rect &) { }

void HoverLabel::installTrackingArea()
{
    if (m_trackingArea)
        removeTrackingArea(m_trackingArea);
    m_trackingArea = std::make_shared<TrackingArea>(
        bounds(), TrackingArea::mouseEnteredAndExited | TrackingArea::activeAlways, this);
    addTrackingArea(m_trackingArea);
}

void HoverLabel::redraw()
{
    setWantsLayer(true);
    layer()->setMasksToBounds(true);
    layer()->setCornerRadius(6);
    updateBackground();
    updateText();
    updateIcon();
}

void HoverLabel::updateBackground()
{
    m_backgroundLayer->removeFromSuperlayer();
    const Rect b = bounds();
    m_backgroundLayer->setPath(BezierPathExtensions::cgPath(BezierPath::withRoundedRect(b, 6, 6)));
    m_backgroundLayer->setFrame(b);
    std::optional<Color> fill;
    if (m_isOn)
        fill = onColor();
    else if (m_hover)
        fill = hoverColor();
    m_backgroundLayer->setFillColor(fill);
    m_backgroundLayer->setPosition({ b.midX(), b.midY() });
    m_backgroundLayer->setContentsScale(ScreenExtensions::mainScale());
    layer()->addSublayer(m_backgroundLayer);
}

void HoverLabel::updateText()
{
    m_textLayer->removeFromSuperlayer();
    TextAttributes attributes;
    attributes.font = font();
    const Size measured = Text::boundingRect(stringValue(), frame().size, attributes).size;
    m_textLayer->setForegroundColor((m_isOn ? Color::systemBlue() : Color::label()).resolved(effectiveAppearance()));
    m_textLayer->setFont(font());
    m_textLayer->setFontSize(font().pointSize());
    m_textLayer->setString(stringValue());
    const Rect b = bounds();
    m_textLayer->setFrame(Rect(b.width() / 2 - measured.width / 2, b.height() / 2 - measured.height / 2,
        measured.width, measured.height));
    m_textLayer->setWrapped(false);
    m_textLayer->setAlignmentMode(TextAlignment::center);
    m_textLayer->setContentsScale(ScreenExtensions::mainScale());
    layer()->addSublayer(m_textLayer);
}

void HoverLabel::updateIcon()
{
    m_imageLayer->removeFromSuperlayer();
    if (!m_icon || m_iconSize.width <= 0 || m_iconSize.height <= 0)
        return;
    m_imageLayer->setFrame(
        Rect(4, bounds().height() / 2 - m_iconSize.height / 2, m_iconSize.width, m_iconSize.height));
    m_imageLayer->setContents(ImageExtensions::resized(*m_icon, m_iconSize.width, m_iconSize.height));
    m_imageLayer->setContentsGravity(ContentsGravity::center);
    m_imageLayer->setContentsScale(ScreenExtensions::mainScale());
    layer()->addSublayer(m_imageLayer);
}

} // namespace pirrow
