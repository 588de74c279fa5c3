#include "pirrow/stackedsegmentview.h"

#include <platform/ui/screen.h>
#include <platform/ui/shapelayer.h>

namespace pirrow {

using namespace platform::ui;

StackedSegmentView::StackedSegmentView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_backgroundColor(Color::separator())
{
    setWantsLayer(true);
    layer()->setMasksToBounds(true);
}

void StackedSegmentView::setBackgroundColor(const Color &color)
{
    m_backgroundColor = color;
    layout();
}

void StackedSegmentView::setCornerRadius(double radius)
{
    m_cornerRadius = radius;
    layout();
}

void StackedSegmentView::setSegments(std::vector<StackedSegment> segments)
{
    m_segments = std::move(segments);
    layout();
}

void StackedSegmentView::layout()
{
    View::layout();
    updateLayers();
}

void StackedSegmentView::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    layout();
}

void StackedSegmentView::updateLayers()
{
    layer()->setCornerRadius(m_cornerRadius);
    for (const auto &added : m_layers)
        added->removeFromSuperlayer();
    m_layers.clear();
    drawBackground();
    drawSegments();
}

void StackedSegmentView::drawBackground()
{
    const Rect b = bounds();
    auto background = ShapeLayer::create();
    background->setFillColor(m_backgroundColor.resolved(effectiveAppearance()));
    background->setStrokeColor(std::nullopt);
    background->setContentsScale(Screen::mainBackingScaleFactor());
    background->setFrame(b);
    background->setPath(Path::roundedRect(b, m_cornerRadius, m_cornerRadius));
    layer()->addSublayer(background);
    m_layers.push_back(background);
}

void StackedSegmentView::drawSegments()
{
    const Rect b = bounds();
    const double w = b.width();
    double offset = 0;
    for (const StackedSegment &segment : m_segments) {
        auto part = ShapeLayer::create();
        part->setFillColor(segment.color.resolved(effectiveAppearance()));
        part->setStrokeColor(std::nullopt);
        part->setContentsScale(Screen::mainBackingScaleFactor());
        part->setFrame(b);
        part->setPath(Path::rect(Rect(w * offset, 0, w * segment.value, b.height())));
        layer()->addSublayer(part);
        m_layers.push_back(part);
        offset += segment.value;
    }
}

} // namespace pirrow
