#include "quenby/statusdot.h"

#include <platform/ui/graphicscontext.h>
#include <platform/ui/path.h>

namespace quenby {

namespace {
    platform::ui::Image dot(const platform::ui::Color &color)
    {
        return platform::ui::Image::withDrawing({ StatusDot::kDiameter, StatusDot::kDiameter },
            [color](platform::ui::GraphicsContext &ctx, const platform::ui::Rect &bounds) {
                ctx.fillPath(platform::ui::Path::ellipse(bounds), color);
            });
    }
}

const platform::ui::Image &StatusDot::available()
{
    static const platform::ui::Image s_dot = dot(platform::ui::Color::fromRGB255(52, 199, 89));
    return s_dot;
}

const platform::ui::Image &StatusDot::unavailable()
{
    static const platform::ui::Image s_dot = dot(platform::ui::Color::fromRGB255(255, 59, 48));
    return s_dot;
}

} // namespace quenby
