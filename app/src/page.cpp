#include "quenby/page.h"

#include <QHideEvent>
#include <QShowEvent>

namespace quenby {

Page::Page(QWidget *parent)
    : QWidget(parent)
{
}

Page::~Page() = default;

void Page::viewWillAppear() { }

void Page::viewWillDisappear() { }

void Page::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Spontaneous events come from the window system (e.g. un-minimising) and are no visit.
    if (!event->spontaneous())
        viewWillAppear();
}

void Page::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        viewWillDisappear();
}

} // namespace quenby
