#include "platform/ui/button.h"

#include "platform/ui/graphicscontext.h"
#include "platform/ui/text.h"

namespace platform::ui {

Button::Button(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_font(Font::systemFont(Font::systemFontSize()))
    , m_tint(Color::controlText())
{
}

void Button::setTitle(const QString &title)
{
    m_title = title;
    setNeedsDisplay();
}

void Button::setFont(const Font &font)
{
    m_font = font;
    setNeedsDisplay();
}

void Button::setContentTintColor(const Color &color)
{
    m_tint = color;
    setNeedsDisplay();
}

void Button::setBezelStyle(BezelStyle style)
{
    m_bezel = style;
    setNeedsDisplay();
}

void Button::performClick()
{
    // The action may close the window holding the button: keep nothing of `this` after it.
    const auto action = m_action;
    if (action)
        action();
}

void Button::setHighlighted(bool on)
{
    if (on == m_highlighted)
        return;
    m_highlighted = on;
    setNeedsDisplay();
}

void Button::mouseDown(const MouseEvent &event) { setHighlighted(bounds().contains(event.location)); }

void Button::mouseDragged(const MouseEvent &event) { setHighlighted(bounds().contains(event.location)); }

void Button::mouseUp(const MouseEvent &event)
{
    const bool inside = m_highlighted && bounds().contains(event.location);
    setHighlighted(false);
    if (inside)
        performClick();
}

void Button::drawRect(GraphicsContext &context, const Rect &)
{
    const Appearance appearance = effectiveAppearance();
    const Rect b = bounds();
    if (m_bezel == BezelStyle::rounded) {
        context.fillRoundedRect(b.insetBy(0.5, 0.5), 6, 6, Color::controlBackground().resolved(appearance));
        StrokeStyle edge;
        edge.color = Color::separator().resolved(appearance);
        context.strokePath(Path::roundedRect(b.insetBy(0.5, 0.5), 6, 6), edge);
    }
    if (m_highlighted)
        context.fillRoundedRect(b, 6, 6, Color::fromWhite(appearance.isDark() ? 1 : 0, 0.15));
    if (m_title.isEmpty())
        return;
    TextAttributes a;
    a.font = m_font;
    a.foregroundColor = m_tint.resolved(appearance);
    a.paragraphStyle = ParagraphStyle { TextAlignment::center, LineBreakMode::truncatingTail };
    const Size size = Text::size(m_title, a);
    // Centred vertically: the text is drawn from the top of its rectangle.
    const Rect textRect(b.x(), b.midY() - size.height / 2, b.width(), size.height);
    Text::draw(context, m_title, textRect, a);
}

} // namespace platform::ui
