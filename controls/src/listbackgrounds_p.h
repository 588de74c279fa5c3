#pragma once

#include <platform/ui/scrollview.h>

namespace pirrow::detail {

/// The step every background-free list view takes: no background for the enclosing scroll view and
/// its content view (nothing when the view is in none).
inline void clearEnclosingScrollView(platform::ui::View &view)
{
    if (platform::ui::ScrollView *scroll = view.enclosingScrollView()) {
        scroll->setDrawsBackground(false);
        scroll->contentView()->setDrawsBackground(false);
    }
}

} // namespace pirrow::detail
