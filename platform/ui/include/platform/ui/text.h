#pragma once

#include "platform/ui/geometry.h"
#include "platform/ui/textattributes.h"

#include <QString>

namespace platform::ui {

class GraphicsContext;

/// Measuring and drawing texts with attributes. Sizes are in points; texts are always drawn upright,
/// whatever the direction of the y axis, starting at the top of their rectangle.
class Text {
public:
    /// The size the text takes on one line per line break, without wrapping.
    static Size size(const QString &text, const TextAttributes &attributes);
    /// The rectangle the text takes when laid out within `constraint` (wrapping at its width when the
    /// paragraph style wraps; a width of 0 means unlimited). The origin is (0, 0).
    static Rect boundingRect(const QString &text, Size constraint, const TextAttributes &attributes);

    /// Draws the text into `rect` of the context.
    static void draw(GraphicsContext &context, const QString &text, const Rect &rect, const TextAttributes &attributes);
    /// Draws the text with the lower left corner of its unwrapped size at `point`.
    static void draw(GraphicsContext &context, const QString &text, Point point, const TextAttributes &attributes);
};

} // namespace platform::ui
