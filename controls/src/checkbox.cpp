#include "pirrow/checkbox.h"

#include "pirrow/bezierpathextensions.h"
#include "pirrow/screenextensions.h"

#include <platform/ui/bezierpath.h>
#include <platform/ui/transaction.h>

namespace pirrow {

using namespace platform::ui;

CheckBox::CheckBox(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_shapeLayer(ShapeLayer::create())
    , m_imageLayer(ShapeLayer::create())
{
    redraw();
}

void CheckBox::setState(int state)
{
    const bool changed = state != m_state;
    m_state = state;
    if (changed)
        Transaction::withoutActions([this] { redraw(); });
}

void CheckBox::setEnabled(bool enabled)
{
    m_isEnabled = enabled;
    redraw();
}

void CheckBox::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    redraw();
}

void CheckBox::resetCursorRects() { addCursorRect(bounds(), Qt::PointingHandCursor); }

void CheckBox::mouseDown(const MouseEvent &event)
{
    View::mouseDown(event);
    if (!m_isEnabled)
        return;
    if (m_state >= mixed && m_state <= on) {
        static constexpr int next[] = { off, on, off };
        m_state = next[m_state + 1];
        Transaction::withoutActions([this] { redraw(); });
    }
    if (const auto delegate = m_delegate.lock())
        delegate->checkBoxStateChanged(m_state);
}

void CheckBox::redraw()
{
    m_shapeLayer->removeFromSuperlayer();
    m_imageLayer->removeFromSuperlayer();
    setWantsLayer(true);
    const Rect b = bounds();
    const double scale = ScreenExtensions::mainScale();
    const Appearance appearance = effectiveAppearance();

    m_shapeLayer->setFrame(b);
    m_shapeLayer->setPath(
        BezierPathExtensions::cgPath(BezierPath::withRoundedRect(b, b.width() / 5, b.width() / 5)));
    m_shapeLayer->setContentsScale(scale);

    m_imageLayer->setFrame(b);
    m_imageLayer->setContentsScale(scale);
    m_imageLayer->setLineWidth(frame().width() / 7);
    m_imageLayer->setStrokeColor(Color::white());
    m_imageLayer->setFillColor(std::nullopt);
    m_imageLayer->setLineJoin(LineJoin::round);
    m_imageLayer->setLineCap(LineCap::round);

    switch (m_state) {
    case mixed:
        m_shapeLayer->setFillColor(Color::controlAccent().resolved(appearance));
        m_imageLayer->setPath(mixedPath());
        break;
    case off:
        m_shapeLayer->setFillColor(Color::systemGray().resolved(appearance));
        break;
    case on:
        m_shapeLayer->setFillColor(Color::controlAccent().resolved(appearance));
        m_imageLayer->setPath(checkmarkPath());
        break;
    default:
        break;
    }
    layer()->addSublayer(m_shapeLayer);
    if (m_state == on || m_state == mixed)
        layer()->addSublayer(m_imageLayer);
}

Path CheckBox::checkmarkPath() const
{
    const double w = bounds().width();
    const double h = bounds().height();
    BezierPath path;
    path.moveTo({ w / 4.16, h / 2.2 });
    path.lineTo({ w / 2.33, h / 3.5 });
    path.lineTo({ w - w / 3.8, h - h / 3 });
    return BezierPathExtensions::cgPath(path);
}

Path CheckBox::mixedPath() const
{
    const double w = bounds().width();
    const double h = bounds().height();
    BezierPath path;
    path.moveTo({ w * 0.25, h * 0.5 });
    path.lineTo({ w - w * 0.25, h * 0.5 });
    return BezierPathExtensions::cgPath(path);
}

} // namespace pirrow
