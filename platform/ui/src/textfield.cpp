#include "platform/ui/textfield.h"

#include "platform/ui/text.h"

namespace platform::ui {

TextField::TextField(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_font(Font::systemFont(Font::systemFontSize()))
    , m_textColor(Color::label())
    , m_style { TextAlignment::natural, LineBreakMode::truncatingTail }
{
}

TextField *TextField::labelWithString(const QString &text)
{
    auto *field = new TextField;
    field->setStringValue(text);
    field->setFrameSize(field->fittingSize());
    return field;
}

void TextField::setStringValue(const QString &text)
{
    if (text == m_string)
        return;
    m_string = text;
    setNeedsDisplay();
}

void TextField::setFont(const Font &font)
{
    m_font = font;
    setNeedsDisplay();
}

void TextField::setTextColor(const Color &color)
{
    m_textColor = color;
    setNeedsDisplay();
}

void TextField::setAlignment(TextAlignment alignment)
{
    m_style.alignment = alignment;
    setNeedsDisplay();
}

void TextField::setLineBreakMode(LineBreakMode mode)
{
    m_style.lineBreakMode = mode;
    setNeedsDisplay();
}

TextAttributes TextField::attributes() const
{
    TextAttributes a;
    a.font = m_font;
    a.foregroundColor = m_textColor;
    a.paragraphStyle = m_style;
    return a;
}

Size TextField::fittingSize(double width) const
{
    if (width > 0)
        return Text::boundingRect(m_string, Size { width, 0 }, attributes()).size;
    return Text::size(m_string, attributes());
}

void TextField::drawRect(GraphicsContext &context, const Rect &)
{
    if (m_string.isEmpty())
        return;
    TextAttributes a = attributes();
    a.foregroundColor = m_textColor.resolved(effectiveAppearance());
    Text::draw(context, m_string, bounds(), a);
}

} // namespace platform::ui
