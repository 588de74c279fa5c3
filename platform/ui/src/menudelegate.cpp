#include "platform/ui/menudelegate.h"

namespace platform::ui {

void MenuDelegate::menuWillOpen(Menu &) { }

void MenuDelegate::menuDidClose(Menu &) { }

void MenuDelegate::menuWillHighlightItem(Menu &, MenuItem *) { }

} // namespace platform::ui
