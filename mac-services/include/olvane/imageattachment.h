#pragma once

#include <platform/ui/font.h>
#include <platform/ui/geometry.h>
#include <platform/ui/image.h>

#include <optional>

namespace olvane {

/// An image to be set inside a line of text, placed so that its vertical centre lies (to within half
/// a point) at half the capital height above the baseline.
class ImageAttachment {
public:
    /// No image, zero bounds.
    ImageAttachment() = default;
    /// With a font: bounds (0, round(capHeight − image height) × 0.5, image width, image height) and
    /// the image. Without a font, as the plain attachment.
    ImageAttachment(const platform::ui::Image &image, const std::optional<platform::ui::Font> &font);

    /// Where the image lies relative to the baseline, in points (y up).
    platform::ui::Rect bounds() const { return m_bounds; }
    void setBounds(const platform::ui::Rect &bounds) { m_bounds = bounds; }
    std::optional<platform::ui::Image> image() const { return m_image; }
    void setImage(const std::optional<platform::ui::Image> &image) { m_image = image; }

private:
    platform::ui::Rect m_bounds;
    std::optional<platform::ui::Image> m_image;
};

} // namespace olvane
