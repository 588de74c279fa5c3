#include "pirrow/gradientborderview.h"

#include "pirrow/constants.h"
#include "pirrow/gradients.h"

#include <platform/ui/bezierpath.h>
#include <platform/ui/screen.h>
#include <platform/ui/shapelayer.h>

namespace pirrow {

using namespace platform::ui;

GradientBorderView::GradientBorderView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_gradientLayer(GradientLayer::create())
    , m_colors(Gradients::tealToCyan().mColors)
    , m_lineWidth(4 * Constants::onePixel())
{
}

void GradientBorderView::awakeFromNib() { setWantsLayer(true); }

void GradientBorderView::setColors(std::vector<Color> colors)
{
    m_colors = std::move(colors);
    layout();
}

void GradientBorderView::setCornerRadius(double radius)
{
    m_cornerRadius = radius;
    layout();
}

void GradientBorderView::setLineWidth(double width)
{
    m_lineWidth = width;
    layout();
}

void GradientBorderView::layout()
{
    View::layout();
    update();
}

void GradientBorderView::update()
{
    const auto l = layer();
    if (l) {
        l->setCornerRadius(m_cornerRadius);
        l->setMasksToBounds(true);
    }
    m_gradientLayer->removeFromSuperlayer();

    const double scale = Screen::mainBackingScaleFactor();
    const Rect b = bounds();
    auto border = ShapeLayer::create();
    border->setContentsScale(scale);
    border->setFrame(b);
    border->setLineWidth(m_lineWidth);
    border->setStrokeColor(Color::black());
    border->setFillColor(std::nullopt);
    border->setPath(Path::roundedRect(b, m_cornerRadius, m_cornerRadius));

    m_gradientLayer->setContentsScale(scale);
    std::vector<Color> colors;
    const Appearance appearance = effectiveAppearance();
    for (const Color &c : m_colors)
        colors.push_back(c.resolved(appearance));
    m_gradientLayer->setColors(std::move(colors));
    m_gradientLayer->setFrame(b);
    m_gradientLayer->setMask(border);
    if (l)
        l->addSublayer(m_gradientLayer);
}

} // namespace pirrow
