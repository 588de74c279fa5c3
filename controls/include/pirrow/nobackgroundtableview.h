#pragma once

#include <platform/ui/tableview.h>

namespace pirrow {

/// A table that draws no background of its own and switches off the backgrounds of the scroll view
/// around it, so that its rows sit directly on a tinted or gradient window. Its column header's
/// container gets rounded corners (radius 8) and a clear background. The scroll view's part can only
/// happen once the table is in one: a table made in code and put into a scroll view afterwards
/// calls `removeBackground` again.
class NoBackgroundTableView : public platform::ui::TableView {
    Q_OBJECT
public:
    explicit NoBackgroundTableView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);
    virtual void removeBackground();
};

} // namespace pirrow
