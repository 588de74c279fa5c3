#pragma once

#include <platform/ui/tableview.h>

namespace pirrow {

/// A table a press on which drags the window (it selects nothing by clicks).
class NonInteractiveTableView : public platform::ui::TableView {
    Q_OBJECT
public:
    explicit NonInteractiveTableView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);
    bool mouseDownCanMoveWindow() const override;
};

} // namespace pirrow
