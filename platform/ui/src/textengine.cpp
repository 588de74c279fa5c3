#include "textengine_p.h"

#include <QImage>

#include <limits>

namespace platform::ui {

namespace {
    const QPaintDevice &referenceDevice()
    {
        static const QImage s_device(1, 1, QImage::Format_ARGB32_Premultiplied);
        return s_device;
    }

    bool truncates(LineBreakMode m)
    {
        return m == LineBreakMode::truncatingHead || m == LineBreakMode::truncatingMiddle
            || m == LineBreakMode::truncatingTail;
    }
} // namespace

QFontMetricsF TextEngine::metrics(const Font &font)
{
    return QFontMetricsF(font.toQFont(referenceDevice().logicalDpiY()), &referenceDevice());
}

int TextEngine::flags(const ParagraphStyle &style, bool forDrawing)
{
    int f = Qt::TextExpandTabs;
    switch (style.alignment) {
    case TextAlignment::natural:
    case TextAlignment::left:
        f |= Qt::AlignLeft;
        break;
    case TextAlignment::right:
        f |= Qt::AlignRight;
        break;
    case TextAlignment::center:
        f |= Qt::AlignHCenter;
        break;
    case TextAlignment::justified:
        f |= Qt::AlignJustify;
        break;
    }
    if (forDrawing)
        f |= Qt::AlignTop;
    switch (style.lineBreakMode) {
    case LineBreakMode::wordWrapping:
        f |= Qt::TextWordWrap;
        break;
    case LineBreakMode::charWrapping:
        f |= Qt::TextWrapAnywhere;
        break;
    default:
        f |= Qt::TextSingleLine;
        break;
    }
    return f;
}

QString TextEngine::elided(const QString &text, const QFontMetricsF &fm, const ParagraphStyle &style, double width)
{
    if (!truncates(style.lineBreakMode) || width <= 0)
        return text;
    const Qt::TextElideMode mode = style.lineBreakMode == LineBreakMode::truncatingHead ? Qt::ElideLeft
        : style.lineBreakMode == LineBreakMode::truncatingMiddle                        ? Qt::ElideMiddle
                                                                                        : Qt::ElideRight;
    return fm.elidedText(text, mode, width);
}

Size TextEngine::measure(const QString &text, const TextAttributes &attributes, double wrapWidth)
{
    const QFontMetricsF fm = metrics(attributes.effectiveFont());
    const ParagraphStyle style = attributes.effectiveParagraphStyle();
    if (text.isEmpty())
        return { 0, fm.height() };
    if (wrapWidth <= 0) {
        ParagraphStyle unwrapped = style;
        if (!truncates(unwrapped.lineBreakMode))
            unwrapped.lineBreakMode = LineBreakMode::clipping;
        int f = flags(unwrapped, false) & ~Qt::TextSingleLine;
        const QRectF r = fm.boundingRect(QRectF(0, 0, std::numeric_limits<int>::max() / 4, 0), f, text);
        return { r.width(), r.height() };
    }
    const QString shown = elided(text, fm, style, wrapWidth);
    const QRectF r = fm.boundingRect(QRectF(0, 0, wrapWidth, 0), flags(style, false), shown);
    return { std::min(r.width(), wrapWidth), r.height() };
}

void TextEngine::draw(
    QPainter &painter, const QString &text, const QRectF &rect, const TextAttributes &attributes, double logicalDpi)
{
    const Font font = attributes.effectiveFont();
    const ParagraphStyle style = attributes.effectiveParagraphStyle();
    painter.setFont(font.toQFont(logicalDpi));
    painter.setPen(attributes.effectiveColor().toQColor());
    painter.setBrush(Qt::NoBrush);
    const QString shown = elided(text, metrics(font), style, rect.width());
    int f = flags(style, true);
    if (style.lineBreakMode == LineBreakMode::clipping || truncates(style.lineBreakMode))
        painter.setClipRect(rect, Qt::IntersectClip);
    painter.drawText(rect, f, shown);
}

} // namespace platform::ui
