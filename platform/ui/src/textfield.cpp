#include "platform/ui/textfield.h"

#include "platform/ui/graphicscontext.h"
#include "platform/ui/text.h"
#include "platform/ui/textfieldcell.h"

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
    if (m_cell)
        m_cell->setStringValue(text);
    setNeedsDisplay();
}

void TextField::setFont(const Font &font)
{
    m_font = font;
    if (m_cell)
        m_cell->setFont(font);
    setNeedsDisplay();
}

void TextField::setTextColor(const Color &color)
{
    m_textColor = color;
    if (m_cell)
        m_cell->setTextColor(color);
    setNeedsDisplay();
}

void TextField::setAlignment(TextAlignment alignment)
{
    m_style.alignment = alignment;
    if (m_cell)
        m_cell->setAlignment(alignment);
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

void TextField::setCell(std::shared_ptr<TextFieldCell> cell)
{
    if (m_cell)
        m_cell->setEndEditingHandler(nullptr);
    m_cell = std::move(cell);
    if (m_cell) {
        m_cell->setStringValue(m_string);
        m_cell->setFont(m_font);
        m_cell->setTextColor(m_textColor);
        m_cell->setAlignment(m_style.alignment);
        m_cell->setEndEditingHandler([this](const QString &text) {
            m_string = text;
            setNeedsDisplay();
            emit textDidEndEditing(text);
        });
    }
    setNeedsDisplay();
}

bool TextField::isEditable() const { return m_cell && m_cell->isEditable(); }

void TextField::setEditable(bool editable)
{
    if (m_cell)
        m_cell->setEditable(editable);
}

void TextField::mouseDown(const MouseEvent &event)
{
    if (!isEditable() || !m_cell->isEnabled()) {
        View::mouseDown(event);
        return;
    }
    if (!m_cell->isEditing())
        m_cell->editWithFrame(cellFrame(), this);
}

void TextField::drawRect(GraphicsContext &context, const Rect &)
{
    if (m_cell) {
        context.save();
        if (!isFlipped()) {
            context.translate(0, bounds().height());
            context.scale(1, -1);
        }
        m_cell->drawWithFrame(context, cellFrame(), this);
        context.restore();
        return;
    }
    if (m_string.isEmpty())
        return;
    TextAttributes a = attributes();
    a.foregroundColor = m_textColor.resolved(effectiveAppearance());
    Text::draw(context, m_string, bounds(), a);
}

} // namespace platform::ui
