#include "olvane/viewextensions.h"

#include <platform/ui/transaction.h>

#include <QPointer>

namespace olvane {

using platform::ui::LayoutConstraint;
using platform::ui::Point;
using platform::ui::View;

void ViewExtensions::pinToSuperview(View &view) { pinToSuperviewWithInsets(view, 0, 0, 0, 0); }

void ViewExtensions::pinToSuperviewWithInsets(View &view, double top, double left, double bottom, double right)
{
    View *super = view.superview();
    if (!super)
        return;
    view.setTranslatesAutoresizingMaskIntoConstraints(false);
    LayoutConstraint::activate({ view.topAnchor().constraintEqualTo(super->topAnchor(), top),
        view.bottomAnchor().constraintEqualTo(super->bottomAnchor(), bottom),
        view.leadingAnchor().constraintEqualTo(super->leadingAnchor(), left),
        view.trailingAnchor().constraintEqualTo(super->trailingAnchor(), right) });
}

void ViewExtensions::centerInSuperview(View &view, double width, double height)
{
    View *super = view.superview();
    if (!super)
        return;
    view.setTranslatesAutoresizingMaskIntoConstraints(false);
    LayoutConstraint::activate({ view.centerXAnchor().constraintEqualTo(super->centerXAnchor()),
        view.centerYAnchor().constraintEqualTo(super->centerYAnchor()),
        view.widthAnchor().constraintEqualToConstant(width), view.heightAnchor().constraintEqualToConstant(height) });
}

void ViewExtensions::removeAllSubviews(View &view)
{
    for (View *sub : view.subviews()) {
        sub->removeFromSuperview();
        QPointer<View> removed = sub;
        QMetaObject::invokeMethod(
            sub,
            [removed] {
                if (removed && !removed->parentWidget() && !removed->isVisible())
                    delete removed.data();
            },
            Qt::QueuedConnection);
    }
}

bool ViewExtensions::isDark(const View &view)
{
    return view.effectiveAppearance().name() == QLatin1String("NSAppearanceNameDarkAqua");
}

void ViewExtensions::setAnchorPoint(View &view, double x, double y)
{
    const std::shared_ptr<platform::ui::Layer> layer = view.layer();
    if (!layer)
        return;
    const platform::ui::Rect b = layer->bounds();
    const platform::ui::AffineTransform t = layer->transform();
    // Both points are transformed by the layer's transform; its translation cancels in the difference.
    const platform::ui::Size n = t.mapSize({ b.width() * x, b.height() * y });
    const platform::ui::Size o = t.mapSize({ b.width() * layer->anchorPoint().x, b.height() * layer->anchorPoint().y });
    const Point position = layer->position();
    layer->setAnchorPoint({ x, y });
    layer->setPosition({ position.x - o.width + n.width, position.y - o.height + n.height });
}

} // namespace olvane
