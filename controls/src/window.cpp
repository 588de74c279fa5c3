#include "pirrow/window.h"

namespace pirrow {

using namespace platform::ui;

Window::Window(const Rect &contentRect, unsigned styleMask, QWidget *parent)
    : platform::ui::Window(contentRect, styleMask, parent)
{
    setOpaque(false);
    setBackgroundColor(Color::windowBackground());
    setTitlebarAppearsTransparent(true);
    setStyleMask(this->styleMask() | resizable);
    if (hasStandardButton(Button::zoom))
        setStandardButtonHidden(Button::zoom, true);
}

} // namespace pirrow
