#include "releasewhenunused_p.h"

#include <platform/ui/view.h>

#include <QTimer>

namespace olvane {

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
