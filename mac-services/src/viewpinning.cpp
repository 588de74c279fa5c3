#include "viewpinning_p.h"

#include <platform/ui/layoutconstraint.h>
#include <platform/ui/view.h>

#include <QPointer>
#include <QTimer>

namespace olvane {

void pinToSuperview(platform::ui::View *view)
{
    platform::ui::View *superview = view ? view->superview() : nullptr;
    if (!superview)
        return;
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    platform::ui::LayoutConstraint::activate({
        view->topAnchor().constraintEqualTo(superview->topAnchor()),
        view->bottomAnchor().constraintEqualTo(superview->bottomAnchor()),
        view->leadingAnchor().constraintEqualTo(superview->leadingAnchor()),
        view->trailingAnchor().constraintEqualTo(superview->trailingAnchor()),
    });
}

void releaseWhenUnused(platform::ui::View *view)
{
    if (!view)
        return;
    QTimer::singleShot(0, view, [view] {
        if (!view->parentWidget())
            delete view;
    });
}

} // namespace olvane
