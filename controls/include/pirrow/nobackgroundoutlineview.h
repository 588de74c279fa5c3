#pragma once

#include <platform/ui/outlineview.h>

namespace pirrow {

/// An outline view without backgrounds, as `NoBackgroundTableView` (without the header step).
class NoBackgroundOutlineView : public platform::ui::OutlineView {
    Q_OBJECT
public:
    explicit NoBackgroundOutlineView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);
    virtual void removeBackground();
};

} // namespace pirrow
