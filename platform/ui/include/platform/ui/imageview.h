#pragma once

#include "platform/ui/color.h"
#include "platform/ui/image.h"
#include "platform/ui/view.h"

#include <optional>

namespace platform::ui {

/// A view showing one image, scaled down proportionally to fit its bounds (never up) and centred.
/// A template image takes the content tint colour when one is set, else the label colour of the
/// view's appearance; other images are drawn as they are. Main thread only.
class ImageView : public View {
    Q_OBJECT
public:
    explicit ImageView(const Rect &frame = Rect(), QWidget *parent = nullptr);

    std::optional<Image> image() const { return m_image; }
    void setImage(const std::optional<Image> &image);
    std::optional<Color> contentTintColor() const { return m_tint; }
    void setContentTintColor(const std::optional<Color> &color);

    /// Where the image lands in the bounds.
    Rect imageRect() const;

    void drawRect(GraphicsContext &context, const Rect &dirtyRect) override;

private:
    std::optional<Image> m_image;
    std::optional<Color> m_tint;
};

} // namespace platform::ui
