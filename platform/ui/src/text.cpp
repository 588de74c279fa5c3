#include "platform/ui/text.h"

#include "platform/ui/graphicscontext.h"
#include "textengine_p.h"

namespace platform::ui {

Size Text::size(const QString &text, const TextAttributes &attributes)
{
    return TextEngine::measure(text, attributes, 0);
}

Rect Text::boundingRect(const QString &text, Size constraint, const TextAttributes &attributes)
{
    const Size s = TextEngine::measure(text, attributes, constraint.width);
    return Rect(Point(), s);
}

void Text::draw(GraphicsContext &context, const QString &text, const Rect &rect, const TextAttributes &attributes)
{
    context.drawText(text, rect, attributes);
}

void Text::draw(GraphicsContext &context, const QString &text, Point point, const TextAttributes &attributes)
{
    context.drawText(text, Rect(point, size(text, attributes)), attributes);
}

} // namespace platform::ui
