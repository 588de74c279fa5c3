#include "pirrow/loadingview.h"

#include "pirrow/bezierpathextensions.h"

#include <platform/ui/basicanimation.h>
#include <platform/ui/bezierpath.h>
#include <platform/ui/screen.h>

#include <limits>
#include <numbers>

namespace pirrow {

using namespace platform::ui;

LoadingView::LoadingView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_progressLayer(ShapeLayer::create())
    , m_trackLayer(ShapeLayer::create())
    , m_color(Color::controlAccent())
{
    setupLayers();
}

void LoadingView::setColor(const Color &color)
{
    m_color = color;
    m_progressLayer->setStrokeColor(m_color.resolved(effectiveAppearance()));
}

void LoadingView::layout()
{
    View::layout();
    setupLayers();
}

void LoadingView::setupLayers()
{
    m_trackLayer->removeFromSuperlayer();
    m_progressLayer->removeFromSuperlayer();
    setWantsLayer(true);
    const double scale = Screen::mainBackingScaleFactor();
    layer()->setContentsScale(scale);

    const Rect b = bounds();
    const Path oval = BezierPathExtensions::cgPath(BezierPath::withOval(Rect(1.5, 1.5, b.width() - 3, b.height() - 3)));
    const Appearance appearance = effectiveAppearance();

    m_progressLayer->setPath(oval);
    m_progressLayer->setStrokeColor(m_color.resolved(appearance));
    m_progressLayer->setLineWidth(m_width);
    m_progressLayer->setLineCap(LineCap::round);
    m_progressLayer->setFillColor(std::nullopt);
    m_progressLayer->setStrokeStart(0);
    m_progressLayer->setStrokeEnd(0.2);
    m_progressLayer->setContentsScale(scale);

    m_trackLayer->setPath(oval);
    m_trackLayer->setStrokeColor(m_color.withAlphaComponent(0.1).resolved(appearance));
    m_trackLayer->setLineWidth(m_width);
    m_trackLayer->setFillColor(std::nullopt);
    m_trackLayer->setContentsScale(scale);

    layer()->addSublayer(m_trackLayer);
    layer()->addSublayer(m_progressLayer);
    // A layout pass while spinning leaves the indicator shown; an idle one stays hidden.
    if (!m_isActive)
        setHidden(true);
}

void LoadingView::startAnimating()
{
    if (m_isActive)
        return;
    m_isActive = true;
    setHidden(false);

    m_progressLayer->setFrame(bounds());
    m_progressLayer->setAnchorPoint({ 0.5, 0.5 });
    BasicAnimation rotation(QStringLiteral("transform.rotation.z"));
    rotation.setToValue(-2 * std::numbers::pi);
    rotation.setDuration(0.6);
    rotation.setFillMode(FillMode::forwards);
    rotation.setTimingFunction(TimingFunction::linear());
    rotation.setRemovedOnCompletion(false);
    rotation.setRepeatCount(std::numeric_limits<double>::infinity());
    m_progressLayer->addAnimation(rotation, QStringLiteral("rotation"));
}

void LoadingView::stopAnimating()
{
    m_progressLayer->removeAllAnimations();
    setHidden(true);
    m_isActive = false;
}

} // namespace pirrow
