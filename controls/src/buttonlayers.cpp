#include "buttonlayers_p.h"

#include "pirrow/screenextensions.h"

#include <platform/ui/basicanimation.h>
#include <platform/ui/text.h>
#include <platform/ui/trackingarea.h>

namespace pirrow::detail {

using namespace platform::ui;

void placeBackground(Button &button, ShapeLayer &background, double radius, const std::optional<Color> &fill)
{
    background.removeFromSuperlayer();
    const Rect b = button.bounds();
    background.setFrame(b);
    background.setPath(Path::roundedRect(b, radius, radius));
    background.setFillColor(fill ? std::optional<Color>(fill->resolved(button.effectiveAppearance())) : std::nullopt);
    background.setPosition({ b.midX(), b.midY() });
    background.setContentsScale(ScreenExtensions::mainScale());
    button.layer()->addSublayer(background.shared_from_this());
}

void placeTitle(Button &button, TextLayer &textLayer, const Color &color)
{
    TextAttributes attributes;
    attributes.font = button.font();
    const Size measured = Text::boundingRect(button.title(), button.frame().size, attributes).size;
    textLayer.setFont(button.font());
    textLayer.setFontSize(button.font().pointSize());
    textLayer.setForegroundColor(color.resolved(button.effectiveAppearance()));
    textLayer.setString(button.title());
    const Rect b = button.bounds();
    textLayer.setFrame(Rect(b.width() * 0.5 - measured.width * 0.5, b.height() * 0.5 - measured.height * 0.5,
        measured.width, measured.height));
    textLayer.setWrapped(false);
    textLayer.setAlignmentMode(TextAlignment::center);
    textLayer.setContentsScale(ScreenExtensions::mainScale());
    button.layer()->addSublayer(textLayer.shared_from_this());
}

void replaceTrackingArea(View &view, std::shared_ptr<TrackingArea> &area)
{
    if (area)
        view.removeTrackingArea(area);
    area = std::make_shared<TrackingArea>(
        view.bounds(), TrackingArea::mouseEnteredAndExited | TrackingArea::activeAlways, &view);
    view.addTrackingArea(area);
}

void applyPressScale(View &view, double scale)
{
    const auto layer = view.layer();
    if (!layer)
        return;
    layer->setAnchorPoint({ 0.5, 0.5 });
    // Root layers do not animate by themselves: the change is an explicit animation from what is shown.
    BasicAnimation animation(QStringLiteral("transform"));
    animation.setDuration(0.2);
    animation.setFromValue(layer->presentationValue(QStringLiteral("transform")));
    animation.setToValue(AffineTransform::scaling(scale, scale));
    layer->setTransform(AffineTransform::scaling(scale, scale));
    layer->addAnimation(animation, QStringLiteral("press"));
}

} // namespace pirrow::detail
