#include "platform/ui/viewcontroller.h"

#include "platform/ui/view.h"
#include "platform/ui/window.h"

namespace platform::ui {

ViewController::ViewController() = default;

ViewController::~ViewController() { delete m_view.data(); }

View *ViewController::view()
{
    if (!m_view) {
        loadView();
        if (!m_view)
            setView(new View);
        viewDidLoad();
    }
    return m_view.data();
}

void ViewController::setView(View *view)
{
    if (m_view == view)
        return;
    delete m_view.data();
    m_view = view;
}

Window *ViewController::window() const
{
    if (!m_view)
        return nullptr;
    return qobject_cast<Window *>(m_view->window());
}

void ViewController::loadView() { setView(new View); }

void ViewController::viewDidLoad() { }

} // namespace platform::ui
