#include "pirrow/viewextensions.h"

#include "pirrow/maskedoverlayview.h"

#include <olvane/viewextensions.h>
#include <platform/ui/appearance.h>

namespace pirrow {

using platform::ui::Color;
using platform::ui::View;

bool ViewExtensions::isDark(const View &view)
{
    return view.effectiveAppearance().name().toLower().contains(QLatin1String("dark"));
}

void ViewExtensions::roundCorners(View &view, double radius)
{
    view.setWantsLayer(true);
    view.layer()->setCornerRadius(radius);
}

void ViewExtensions::roundCornersWithBackground(View &view, const Color &color, double radius)
{
    roundCorners(view, radius);
    setLayerBackgroundColor(view, color);
}

void ViewExtensions::setLayerBackgroundColor(View &view, const Color &color)
{
    view.setWantsLayer(true);
    if (view.layer())
        view.layer()->setBackgroundColor(color.resolved(view.effectiveAppearance()));
}

void ViewExtensions::removeAllSubviews(View &view) { olvane::ViewExtensions::removeAllSubviews(view); }

void ViewExtensions::pinToSuperview(View &view) { olvane::ViewExtensions::pinToSuperview(view); }

std::unique_ptr<View> ViewExtensions::maskedOverlay(std::unique_ptr<View> content, std::unique_ptr<View> overlay)
{
    return std::make_unique<MaskedOverlayView>(std::move(content), std::move(overlay));
}

} // namespace pirrow
