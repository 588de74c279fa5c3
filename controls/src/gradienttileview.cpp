#include "pirrow/gradienttileview.h"

#include "pirrow/constants.h"
#include "pirrow/gradienttileviewdelegate.h"

#include <platform/ui/bezierpath.h>
#include <platform/ui/gradientlayer.h>
#include <platform/ui/screen.h>
#include <platform/ui/shapelayer.h>

namespace pirrow {

using namespace platform::ui;

GradientTileViewDelegate::~GradientTileViewDelegate() = default;

namespace {
    constexpr double kRadius = 8;
}

GradientTileView::GradientTileView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_colors { Color::fromRGB255(145, 106, 223, 0.5), Color::fromRGB255(210, 103, 130, 0.5) }
    , m_borderColor(Color::systemGray().withAlphaComponent(0.4))
    , m_borderThickness(Constants::onePixel())
{
    rebuildLayers();
}

void GradientTileView::setColors(std::vector<Color> colors)
{
    m_colors = std::move(colors);
    rebuildLayers();
}

void GradientTileView::setBorderColor(const Color &color)
{
    m_borderColor = color;
    rebuildLayers();
}

void GradientTileView::setBorderThickness(double thickness)
{
    m_borderThickness = thickness;
    rebuildLayers();
}

void GradientTileView::setDrawShadow(bool draw)
{
    m_drawShadow = draw;
    rebuildLayers();
}

void GradientTileView::layout()
{
    View::layout();
    rebuildLayers();
}

void GradientTileView::rebuildLayers()
{
    if (const auto l = layer())
        l->setSublayers({});
    setWantsLayer(true);
    const auto l = layer();
    const Appearance appearance = effectiveAppearance();
    const Rect b = bounds();
    const double scale = Screen::mainBackingScaleFactor();
    l->setCornerRadius(kRadius);
    l->setMasksToBounds(true);
    l->setBorderWidth(m_borderThickness);
    l->setBorderColor(m_borderColor.resolved(appearance));

    auto shape = ShapeLayer::create();
    shape->setCornerRadius(kRadius);
    shape->setMasksToBounds(true);
    shape->setContentsScale(scale);
    shape->setFrame(b);
    shape->setPath(Path::roundedRect(b, kRadius, kRadius));

    auto gradient = GradientLayer::create();
    gradient->setFrame(b);
    std::vector<Color> colors;
    colors.reserve(m_colors.size());
    for (const Color &c : m_colors)
        colors.push_back(c.resolved(appearance));
    gradient->setColors(std::move(colors));
    gradient->setStartPoint({ 0, 0 });
    gradient->setEndPoint({ 1, 1 });
    gradient->setContentsScale(scale);
    gradient->setMask(shape);
    l->addSublayer(gradient);

    if (m_drawShadow) {
        const bool dark = appearance.isDark();
        l->setShadowOpacity(dark ? 0.25 : 0.15);
        l->setShadowColor(dark ? Color::black() : Color::darkGray());
        l->setShadowOffset({ 0, 0 });
        l->setShadowRadius(kRadius);
    } else {
        l->setShadowOpacity(0);
        l->setShadowColor(std::nullopt);
        l->setShadowRadius(0);
    }
}

void GradientTileView::mouseDown(const MouseEvent &event)
{
    if (m_disableInteraction)
        return;
    View::mouseDown(event);
}

} // namespace pirrow
