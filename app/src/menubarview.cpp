#include "quenby/menubarview.h"

#include <olvane/menubar.h>

namespace quenby {

MenuBarView::MenuBarView(const platform::ui::Rect &frame, QWidget *parent)
    : View(frame, parent)
{
}

QList<platform::ui::View *> MenuBarView::batteryViews() const
{
    QList<platform::ui::View *> views;
    for (const auto &view : m_batteryViews) {
        if (view)
            views.append(view.data());
    }
    return views;
}

void MenuBarView::add(platform::ui::View *view, double x, double width)
{
    view->setFrame(platform::ui::Rect(x, 0, width, olvane::MenuBar::thickness()));
    addSubview(view);
    m_batteryViews.append(view);
    view->setNeedsDisplay();
}

} // namespace quenby
