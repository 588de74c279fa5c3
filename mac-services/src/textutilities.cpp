#include "olvane/textutilities.h"

#include <platform/ui/text.h>

#include <QList>

using platform::ui::Color;
using platform::ui::Font;
using platform::ui::ParagraphStyle;
using platform::ui::TextAttributes;

namespace olvane {

namespace {

    TextAttributes make(const Font &font, const Color &color, TextUtilities::Alignment alignment)
    {
        ParagraphStyle style = ParagraphStyle::defaultStyle();
        style.alignment = alignment;
        return TextAttributes { font, color, style };
    }

    Font systemFont(double size, bool bold) { return bold ? Font::boldSystemFont(size) : Font::systemFont(size); }

} // namespace

TextAttributes TextUtilities::labelAttributes(double size, bool bold, Alignment alignment)
{
    return make(systemFont(size, bold), Color::label(), alignment);
}

TextAttributes TextUtilities::colorAttributes(const Color &color, double size, Alignment alignment)
{
    return make(Font::systemFont(size), color, alignment);
}

TextAttributes TextUtilities::colorObjectAttributes(const Color &color, Alignment alignment, double size)
{
    return colorAttributes(color, size, alignment);
}

TextAttributes TextUtilities::styledAttributes(Alignment alignment, const Color &color, bool bold, double size)
{
    return make(systemFont(size, bold), color, alignment);
}

TextAttributes TextUtilities::alignedAttributes(Alignment alignment, double size)
{
    return make(Font::systemFont(size), Color::label(), alignment);
}

TextAttributes TextUtilities::fontAttributes(const Font &font, const Color &color, Alignment alignment)
{
    return make(font, color, alignment);
}

TextAttributes TextUtilities::fontAlignedAttributes(const Font &font, Alignment alignment, const Color &color)
{
    return make(font, color, alignment);
}

platform::ui::Size TextUtilities::boundingSize(
    const std::optional<QString> &text, const Font &font, platform::ui::Size maximumSize)
{
    if (!text)
        return {};
    TextAttributes attributes;
    attributes.font = font;
    return platform::ui::Text::boundingRect(*text, maximumSize, attributes).size;
}

double TextUtilities::textHeight(const std::optional<QString> &text, const Font &font)
{
    return boundingSize(text, font, platform::ui::Size()).height;
}

QString TextUtilities::flag(const QString &text)
{
    constexpr char32_t kOffset = 127397;
    QList<uint> scalars;
    for (const char32_t c : text.toUcs4()) {
        const char32_t moved = c + kOffset;
        const bool surrogate = moved >= 0xD800 && moved <= 0xDFFF;
        if (moved <= 0x10FFFF && !surrogate)
            scalars.append(moved);
    }
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(scalars.constData()), scalars.size());
}

} // namespace olvane
