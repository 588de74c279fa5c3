#include "platform/ui/textlayer.h"

#include "platform/ui/graphicscontext.h"

namespace platform::ui {

TextLayer::TextLayer(const TextLayer &o, int tag)
    : Layer(o, tag)
    , m_string(o.m_string)
    , m_font(o.m_font)
    , m_fontSize(o.m_fontSize)
    , m_foregroundColor(o.m_foregroundColor)
    , m_alignment(o.m_alignment)
    , m_wrapped(o.m_wrapped)
    , m_truncation(o.m_truncation)
{
}

std::shared_ptr<Layer> TextLayer::makeCopy() const { return std::shared_ptr<Layer>(new TextLayer(*this, 0)); }

void TextLayer::setString(const QString &s)
{
    if (m_string == s)
        return;
    m_string = s;
    changed();
}

void TextLayer::setFont(const Font &f)
{
    if (m_font == f)
        return;
    m_font = f;
    changed();
}

void TextLayer::setFontSize(double size) { setAnimated(QStringLiteral("fontSize"), m_fontSize, size); }

void TextLayer::setForegroundColor(std::optional<Color> c)
{
    if (c)
        c = c->resolved();
    if (m_foregroundColor == c)
        return;
    const auto from = actionFrom(QStringLiteral("foregroundColor"));
    m_foregroundColor = c;
    didChange(QStringLiteral("foregroundColor"), from);
}

void TextLayer::setAlignmentMode(TextAlignment a)
{
    if (m_alignment == a)
        return;
    m_alignment = a;
    changed();
}

void TextLayer::setWrapped(bool on)
{
    if (m_wrapped == on)
        return;
    m_wrapped = on;
    changed();
}

void TextLayer::setTruncationMode(Truncation t)
{
    if (m_truncation == t)
        return;
    m_truncation = t;
    changed();
}

TextAttributes TextLayer::attributes() const
{
    TextAttributes a;
    a.font = m_font.withSize(m_fontSize);
    a.foregroundColor = m_foregroundColor.value_or(Color::clear());
    ParagraphStyle style;
    style.alignment = m_alignment;
    if (m_wrapped)
        style.lineBreakMode = LineBreakMode::wordWrapping;
    else if (m_truncation == Truncation::start)
        style.lineBreakMode = LineBreakMode::truncatingHead;
    else if (m_truncation == Truncation::middle)
        style.lineBreakMode = LineBreakMode::truncatingMiddle;
    else if (m_truncation == Truncation::end)
        style.lineBreakMode = LineBreakMode::truncatingTail;
    else
        style.lineBreakMode = LineBreakMode::clipping;
    a.paragraphStyle = style;
    return a;
}

void TextLayer::drawInContext(GraphicsContext &context) const
{
    if (m_string.isEmpty() || !m_foregroundColor || bounds().isEmpty())
        return;
    context.save();
    context.clipToRect(bounds());
    context.drawText(m_string, bounds(), attributes());
    context.restore();
}

std::optional<LayerValue> TextLayer::valueForKey(const QString &k) const
{
    if (k == QLatin1String("foregroundColor"))
        return m_foregroundColor.value_or(Color::clear());
    if (k == QLatin1String("fontSize"))
        return m_fontSize;
    return Layer::valueForKey(k);
}

bool TextLayer::setValueForKey(const QString &k, const LayerValue &v)
{
    if (k == QLatin1String("foregroundColor") && std::holds_alternative<Color>(v))
        m_foregroundColor = std::get<Color>(v).resolved();
    else if (k == QLatin1String("fontSize") && std::holds_alternative<double>(v))
        m_fontSize = std::get<double>(v);
    else
        return Layer::setValueForKey(k, v);
    changed();
    return true;
}

} // namespace platform::ui
