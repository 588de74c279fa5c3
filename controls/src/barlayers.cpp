#include "barlayers_p.h"

#include <platform/ui/screen.h>
#include <platform/ui/transaction.h>

namespace pirrow::detail {

using namespace platform::ui;

void prepareBar(View &view, const std::shared_ptr<ShapeLayer> &track, const std::shared_ptr<ShapeLayer> &fill)
{
    view.setWantsLayer(true);
    view.layer()->setMasksToBounds(true);
    view.layer()->addSublayer(track);
    view.layer()->addSublayer(fill);
}

void layoutBar(View &view, ShapeLayer &track, ShapeLayer &fill, double cornerRadius, const Color &trackColor,
    const Color &fillColor, Point from, Point to, double value)
{
    const Rect b = view.bounds();
    const double h = b.height();
    const double scale = Screen::mainBackingScaleFactor();
    const Appearance appearance = view.effectiveAppearance();
    view.layer()->setCornerRadius(cornerRadius);
    Transaction::withoutActions([&] {
        track.setContentsScale(scale);
        track.setStrokeColor(trackColor.resolved(appearance));
        track.setFillColor(std::nullopt);
        track.setLineWidth(h);
        track.setPath(Path::rect(b));
        track.setFrame(b);

        Path line;
        line.moveTo(from);
        line.lineTo(to);
        fill.setPath(line);
        fill.setFillColor(std::nullopt);
        fill.setStrokeColor(fillColor.resolved(appearance));
        fill.setLineWidth(h);
        fill.setContentsScale(scale);
        fill.setFrame(b);
        fill.setStrokeEnd(value);
    });
}

} // namespace pirrow::detail
