#include "pirrow/gradientview.h"

#include "pirrow/gradients.h"

#include <platform/ui/gradient.h>
#include <platform/ui/graphicscontext.h>

namespace pirrow {

using namespace platform::ui;

GradientView::GradientView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_colors(Gradients::orangeToYellow().mColors)
{
    setWantsLayer(true);
    layer()->setMasksToBounds(true);
    layer()->setCornerRadius(m_cornerRadius);
}

void GradientView::setCornerRadius(double radius)
{
    m_cornerRadius = radius;
    if (const auto l = layer())
        l->setCornerRadius(radius);
}

void GradientView::setColorTheme(ColorTheme theme)
{
    m_colorTheme = theme;
    applyTheme();
}

void GradientView::setColors(std::vector<Color> colors)
{
    m_colors = std::move(colors);
    setNeedsDisplay();
}

void GradientView::applyTheme()
{
    m_colors = Gradients::forTheme(m_colorTheme).mColors;
    setNeedsDisplay();
    setWantsLayer(true);
    layer()->setMasksToBounds(true);
    layer()->setCornerRadius(m_cornerRadius);
}

void GradientView::drawRect(GraphicsContext &context, const Rect &dirtyRect)
{
    View::drawRect(context, dirtyRect);
    if (m_colors.size() < 2)
        return;
    const Rect b = bounds();
    context.save();
    context.clipToRect(b);
    context.drawLinearGradient(
        Gradient { m_colors, {} }, { b.minX(), b.midY() }, { b.maxX(), b.midY() }, GradientExtent { true, true });
    context.restore();
}

} // namespace pirrow
