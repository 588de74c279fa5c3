#include "pirrow/windowcontentview.h"

#include <platform/ui/graphicscontext.h>

namespace pirrow {

using namespace platform::ui;

WindowContentView::WindowContentView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
{
}

void WindowContentView::drawRect(GraphicsContext &context, const Rect &)
{
    context.fillPath(Path::rect(bounds()), effectiveAppearance().isDark() ? Color::clear() : Color::white());
}

} // namespace pirrow
