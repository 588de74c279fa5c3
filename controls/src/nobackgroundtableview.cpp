#include "pirrow/nobackgroundtableview.h"

#include "listbackgrounds_p.h"

#include <platform/ui/layer.h>
#include <platform/ui/scrollview.h>

namespace pirrow {

using namespace platform::ui;

NoBackgroundTableView::NoBackgroundTableView(const Rect &frame, QWidget *parent)
    : TableView(frame, parent)
{
    // This class's own steps (a qualified call): a subclass's version cannot run during construction.
    NoBackgroundTableView::removeBackground();
}

void NoBackgroundTableView::removeBackground()
{
    TableHeaderView *header = headerView();
    View *holder = header ? header->superview() : nullptr;
    if (holder) {
        holder->setWantsLayer(true);
        if (const auto layer = holder->layer())
            layer->setCornerRadius(8);
        holder->setWantsLayer(true);
        if (const auto layer = holder->layer())
            layer->setBackgroundColor(Color::clear());
    }
    detail::clearEnclosingScrollView(*this);
    setBackgroundColor(Color::clear());
}

} // namespace pirrow
