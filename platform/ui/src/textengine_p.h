#pragma once

#include "platform/ui/textattributes.h"

#include <QFontMetricsF>
#include <QPainter>

namespace platform::ui {

// The one place that turns attributes into Qt text layout, shared by measuring and drawing so that a
// measured rectangle is exactly the one the drawing fills.
class TextEngine {
public:
    // Metrics of the font on the reference device (96 dpi, on which a point is a pixel).
    static QFontMetricsF metrics(const Font &font);
    static Size measure(const QString &text, const TextAttributes &attributes, double wrapWidth);
    // Draws into `rect` given in a y-down local space of the painter; `logicalDpi` is the device's.
    static void draw(QPainter &painter, const QString &text, const QRectF &rect, const TextAttributes &attributes,
        double logicalDpi);

private:
    static int flags(const ParagraphStyle &style, bool forDrawing);
    static QString elided(const QString &text, const QFontMetricsF &fm, const ParagraphStyle &style, double width);
};

} // namespace platform::ui
