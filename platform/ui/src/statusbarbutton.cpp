#include "platform/ui/statusbarbutton.h"

#include "platform/ui/color.h"
#include "platform/ui/graphicscontext.h"
#include "platform/ui/layoutconstraint.h"
#include "platform/ui/text.h"

#include <algorithm>

namespace platform::ui {

namespace {

    bool drawsImage(ImagePosition position) { return position != ImagePosition::noImage; }

    bool drawsTitle(ImagePosition position) { return position != ImagePosition::imageOnly; }

    bool stacksVertically(ImagePosition position)
    {
        return position == ImagePosition::imageAbove || position == ImagePosition::imageBelow;
    }

    bool imageFirst(ImagePosition position)
    {
        return position != ImagePosition::imageRight && position != ImagePosition::imageTrailing;
    }

} // namespace

Font StatusBarButton::menuBarFont() { return Font::systemFont(14); }

StatusBarButton::StatusBarButton(double thickness)
    : View(Rect(0, 0, 0, thickness))
{
}

void StatusBarButton::setImage(const std::optional<Image> &image)
{
    const bool same = image.has_value() == m_image.has_value() && (!image || image->isSameObject(*m_image));
    if (same)
        return;
    m_image = image;
    setNeedsDisplay();
    emit contentChanged();
}

void StatusBarButton::setImagePosition(ImagePosition position)
{
    if (m_imagePosition == position)
        return;
    m_imagePosition = position;
    setNeedsDisplay();
    emit contentChanged();
}

void StatusBarButton::setTitle(const QString &title)
{
    if (m_title == title)
        return;
    m_title = title;
    setNeedsDisplay();
    emit contentChanged();
}

void StatusBarButton::setFont(const std::optional<Font> &font)
{
    if (m_font == font)
        return;
    m_font = font;
    setNeedsDisplay();
    emit contentChanged();
}

bool StatusBarButton::performClick() { return m_targetAction.send(this); }

TextAttributes StatusBarButton::titleAttributes() const
{
    TextAttributes attributes;
    attributes.font = m_font.value_or(menuBarFont());
    attributes.foregroundColor = Color::label();
    return attributes;
}

Size StatusBarButton::imageSize() const
{
    if (!m_image || !drawsImage(m_imagePosition))
        return {};
    return m_image->size();
}

Size StatusBarButton::titleSize() const
{
    if (m_title.isEmpty() || !drawsTitle(m_imagePosition))
        return {};
    return Text::size(m_title, titleAttributes());
}

double StatusBarButton::intrinsicContentWidth() const
{
    const Size image = imageSize();
    const Size title = titleSize();
    double content = 0;
    if (stacksVertically(m_imagePosition) || m_imagePosition == ImagePosition::imageOverlaps)
        content = std::max(image.width, title.width);
    else
        content = image.width + title.width + (image.width > 0 && title.width > 0 ? kImageSpacing : 0);
    return content > 0 ? content + 2 * kContentPadding : 0;
}

double StatusBarButton::fittingWidth() const
{
    for (const auto &c : constraints())
        if (c->firstItem() == this && !c->secondItem() && c->firstAttribute() == LayoutAttribute::width)
            return std::max(0.0, c->constant());
    return intrinsicContentWidth();
}

void StatusBarButton::layout()
{
    View::layout();
    std::optional<double> fixed;
    for (const auto &c : constraints())
        if (c->firstItem() == this && !c->secondItem() && c->firstAttribute() == LayoutAttribute::width)
            fixed = c->constant();
    if (fixed != m_lastFixedWidth) {
        m_lastFixedWidth = fixed;
        emit contentChanged();
    }
}

void StatusBarButton::viewDidChangeEffectiveAppearance()
{
    View::viewDidChangeEffectiveAppearance();
    emit effectiveAppearanceChanged();
}

void StatusBarButton::drawRect(GraphicsContext &context, const Rect &)
{
    const Rect b = bounds();
    const Size image = imageSize();
    const Size title = titleSize();
    const bool hasImage = image.width > 0 && image.height > 0;
    const bool hasTitle = title.width > 0;
    if (!hasImage && !hasTitle)
        return;

    Rect imageRect;
    Rect titleRect;
    if (stacksVertically(m_imagePosition)) {
        const double total = image.height + title.height;
        const double bottom = b.midY() - total / 2;
        const bool imageOnTop = m_imagePosition == ImagePosition::imageAbove;
        imageRect
            = Rect(b.midX() - image.width / 2, imageOnTop ? bottom + title.height : bottom, image.width, image.height);
        titleRect
            = Rect(b.midX() - title.width / 2, imageOnTop ? bottom : bottom + image.height, title.width, title.height);
    } else if (m_imagePosition == ImagePosition::imageOverlaps || !hasImage || !hasTitle) {
        imageRect = Rect(b.midX() - image.width / 2, b.midY() - image.height / 2, image.width, image.height);
        titleRect = Rect(b.midX() - title.width / 2, b.midY() - title.height / 2, title.width, title.height);
    } else {
        const double total = image.width + kImageSpacing + title.width;
        double x = b.midX() - total / 2;
        const double imageX = imageFirst(m_imagePosition) ? x : x + title.width + kImageSpacing;
        const double titleX = imageFirst(m_imagePosition) ? x + image.width + kImageSpacing : x;
        imageRect = Rect(imageX, b.midY() - image.height / 2, image.width, image.height);
        titleRect = Rect(titleX, b.midY() - title.height / 2, title.width, title.height);
    }

    if (hasImage) {
        if (m_image->isTemplate()) {
            // A template is a shape: its alpha in the bar's text colour.
            context.beginTransparencyLayer();
            m_image->draw(context, imageRect);
            context.save();
            context.setCompositeOperation(CompositeOperation::sourceAtop);
            context.fillRect(imageRect, Color::label());
            context.restore();
            context.endTransparencyLayer();
        } else {
            m_image->draw(context, imageRect);
        }
    }
    if (hasTitle)
        Text::draw(context, m_title, titleRect, titleAttributes());
}

} // namespace platform::ui
