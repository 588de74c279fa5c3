#include "pirrow/simpletileview.h"

#include "pirrow/simpletileviewdelegate.h"

#include <platform/ui/basicanimation.h>
#include <platform/ui/transaction.h>

namespace pirrow {

using namespace platform::ui;

SimpleTileViewDelegate::~SimpleTileViewDelegate() = default;

namespace {
    constexpr double kShiftDuration = 0.2;
    constexpr double kLiftOffset = -8;
} // namespace

SimpleTileView::SimpleTileView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
{
    updateAppearance();
    installTrackingArea();
}

void SimpleTileView::setEnableSelection(bool enable)
{
    m_enableSelection = enable;
    updateAppearance();
}

void SimpleTileView::setSelected(bool selected)
{
    m_isSelected = selected;
    updateAppearance();
}

void SimpleTileView::installTrackingArea()
{
    if (m_trackingArea)
        removeTrackingArea(m_trackingArea);
    m_trackingArea = std::make_shared<TrackingArea>(
        bounds(), TrackingArea::mouseEnteredAndExited | TrackingArea::activeInKeyWindow, this);
    addTrackingArea(m_trackingArea);
}

void SimpleTileView::layout()
{
    View::layout();
    updateAppearance();
    installTrackingArea();
}

void SimpleTileView::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    updateAppearance();
}

void SimpleTileView::updateAppearance()
{
    setWantsLayer(true);
    const auto l = layer();
    const Appearance appearance = effectiveAppearance();
    l->setCornerRadius(8);
    l->setMasksToBounds(true);
    l->setBackgroundColor(appearance.isDark() ? Color::fromRGB255(60, 64, 75, 0.6) : Color::fromWhite(1, 0.35));
    updateShadow();
    if (m_enableSelection && m_isSelected) {
        l->setBorderWidth(m_selectionWidth.value_or(3));
        l->setBorderColor(m_selectionColor.value_or(Color::systemBlue()).resolved(appearance));
    } else if (m_allowHover && m_isMouseEntered && m_hoverDisplayMode == HoverDisplayMode::rectangle) {
        l->setBorderWidth(m_borderWidth.value_or(2));
        l->setBorderColor(m_borderColor.value_or(Color::systemBlue().withAlphaComponent(0.75)).resolved(appearance));
    } else {
        l->setBorderWidth(0);
        l->setBorderColor(std::nullopt);
    }
}

void SimpleTileView::updateShadow()
{
    const auto l = layer();
    if (!l)
        return;
    if (effectiveAppearance().isDark()) {
        l->setShadowOpacity(0);
        l->setShadowColor(std::nullopt);
        l->setShadowOffset({ 0, 0 });
        l->setShadowRadius(0);
    } else {
        l->setShadowOpacity(0.15);
        l->setShadowColor(Color::darkGray());
        l->setShadowOffset({ 0, 0 });
        l->setShadowRadius(8);
    }
}

void SimpleTileView::resetHover()
{
    if (!m_allowHover)
        return;
    if (const auto l = layer()) {
        l->setBorderWidth(0);
        l->setBorderColor(std::nullopt);
    }
    m_isMouseEntered = false;
    updateAppearance();
}

void SimpleTileView::deselect()
{
    m_isSelected = false;
    updateAppearance();
    m_isMouseEntered = false;
    updateAppearance();
    layout();
}

void SimpleTileView::shiftTile(double offset)
{
    if (const auto l = layer()) {
        l->setPosition(frame().center());
        l->setAnchorPoint({ 0.5, 0.5 });
        l->setTransform(AffineTransform::translation(offset, 0));
    }
}

void SimpleTileView::liftTile() { shiftTile(kLiftOffset); }

void SimpleTileView::lowerTile() { shiftTile(0); }

void SimpleTileView::animateShift(double offset)
{
    const auto l = layer();
    if (!l) {
        shiftTile(offset);
        return;
    }
    const auto from = l->presentationValue(QStringLiteral("transform"));
    Transaction::withoutActions([&] { shiftTile(offset); });
    BasicAnimation move(QStringLiteral("transform"));
    move.setFromValue(from);
    move.setDuration(kShiftDuration);
    l->addAnimation(move, QStringLiteral("shift"));
}

void SimpleTileView::mouseDown(const MouseEvent &event)
{
    if (m_disableInteraction)
        return;
    View::mouseDown(event);
    if (const auto delegate = m_delegate.lock())
        delegate->tileClicked(this);
}

void SimpleTileView::mouseEntered(const MouseEvent &event)
{
    View::mouseEntered(event);
    if (const auto delegate = m_delegate.lock())
        delegate->tileMouseEntered(this);
    if (!m_allowHover)
        return;
    switch (m_hoverDisplayMode) {
    case HoverDisplayMode::shadow:
        if (const auto l = layer()) {
            const Appearance appearance = effectiveAppearance();
            l->setShadowOpacity(appearance.isDark() ? 0.06 : 0.16);
            l->setShadowColor(m_borderColor.value_or(Color::controlAccent()).resolved(appearance));
            l->setShadowOffset({ 0, 0 });
            l->setShadowRadius(8);
        }
        break;
    case HoverDisplayMode::shift:
        animateShift(kLiftOffset);
        break;
    case HoverDisplayMode::rectangle:
        m_isMouseEntered = true;
        updateAppearance();
        break;
    }
}

void SimpleTileView::mouseExited(const MouseEvent &event)
{
    View::mouseExited(event);
    if (const auto delegate = m_delegate.lock())
        delegate->tileMouseExited(this);
    if (!m_allowHover)
        return;
    updateShadow();
    switch (m_hoverDisplayMode) {
    case HoverDisplayMode::shift:
        animateShift(0);
        break;
    case HoverDisplayMode::rectangle:
        m_isMouseEntered = false;
        updateAppearance();
        break;
    case HoverDisplayMode::shadow:
        break;
    }
}

} // namespace pirrow
