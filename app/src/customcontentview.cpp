#include "quenby/customcontentview.h"

#include <platform/ui/imageview.h>
#include <platform/ui/textfield.h>
#include <tavrin/eventdelegate.h>

#include <QPointer>

namespace quenby {

CustomContentView::CustomContentView(const platform::ui::Rect &frame, QWidget *parent)
    : View(frame, parent)
{
}

void CustomContentView::mouseUp(const platform::ui::MouseEvent &event)
{
    const QPointer<CustomContentView> self(this);
    View::mouseUp(event);
    if (!self)
        return;
    if (const auto told = m_delegate.lock())
        told->viewClicked(this);
}

void CustomContentView::highlight() { paintDescendants(platform::ui::Color::white()); }

void CustomContentView::unhighlight() { paintDescendants(platform::ui::Color::label()); }

void CustomContentView::paintDescendants(const platform::ui::Color &color)
{
    QList<platform::ui::View *> pending = subviews();
    while (!pending.isEmpty()) {
        platform::ui::View *view = pending.takeFirst();
        if (auto *field = qobject_cast<platform::ui::TextField *>(view))
            field->setTextColor(color);
        else if (auto *image = qobject_cast<platform::ui::ImageView *>(view))
            image->setContentTintColor(color);
        pending.append(view->subviews());
    }
}

} // namespace quenby
