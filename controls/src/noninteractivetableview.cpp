#include "pirrow/noninteractivetableview.h"

namespace pirrow {

using namespace platform::ui;

NonInteractiveTableView::NonInteractiveTableView(const Rect &frame, QWidget *parent)
    : TableView(frame, parent)
{
}

bool NonInteractiveTableView::mouseDownCanMoveWindow() const { return true; }

} // namespace pirrow
