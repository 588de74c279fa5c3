#include "platform/ui/imageview.h"

#include <algorithm>

namespace platform::ui {

ImageView::ImageView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
{
}

void ImageView::setImage(const std::optional<Image> &image)
{
    m_image = image;
    setNeedsDisplay();
}

void ImageView::setContentTintColor(const std::optional<Color> &color)
{
    m_tint = color;
    setNeedsDisplay();
}

Rect ImageView::imageRect() const
{
    if (!m_image)
        return {};
    const Size natural = m_image->size();
    const Rect b = bounds();
    if (natural.width <= 0 || natural.height <= 0)
        return {};
    const double scale = std::min({ 1.0, b.width() / natural.width, b.height() / natural.height });
    const Size size { natural.width * scale, natural.height * scale };
    return { b.x() + (b.width() - size.width) / 2, b.y() + (b.height() - size.height) / 2, size.width, size.height };
}

void ImageView::drawRect(GraphicsContext &context, const Rect &)
{
    if (!m_image || m_image->isBlank())
        return;
    const Rect target = imageRect();
    if (target.isEmpty())
        return;
    if (!m_image->isTemplate()) {
        m_image->draw(context, target);
        return;
    }
    // A template is a shape: paint it in the tint by filling the colour through the image's alpha.
    const Color tint = m_tint.value_or(Color::label()).resolved(effectiveAppearance());
    context.beginTransparencyLayer();
    m_image->draw(context, target);
    context.setCompositeOperation(CompositeOperation::sourceIn);
    context.fillRect(target, tint);
    context.endTransparencyLayer();
}

} // namespace platform::ui
