#pragma once

#include "olvane/photoeffect.h"

#include <platform/ui/color.h>
#include <platform/ui/image.h>

#include <QByteArray>
#include <QString>

#include <optional>

namespace olvane {

/// Image helpers.
class ImageExtensions {
public:
    /// The one shared blank image (no size, nothing to draw), made on first use. Code compares images
    /// with it (`isSameObject`) to mean "no image".
    static const platform::ui::Image &empty();
    /// The picture with the black-and-white effect applied, at the image's size; none for an image
    /// without a picture.
    static std::optional<platform::ui::Image> withEffect(const platform::ui::Image &image, PhotoEffect effect);
    /// A new image of `width` × `height` points into which `image` is drawn whole, scaled to fill it
    /// (high interpolation, copy compositing).
    static platform::ui::Image resized(const platform::ui::Image &image, double width, double height);
    /// Resized to `height`, the width keeping the proportions.
    static platform::ui::Image resizedToHeight(const platform::ui::Image &image, double height);
    /// A template image becomes a copy filled with `color` where it has paint, no longer a template;
    /// any other image is returned as it is (the same object).
    static platform::ui::Image tinted(const platform::ui::Image &image, const platform::ui::Color &color);
    /// Tinted with the control accent colour.
    static platform::ui::Image accentTinted(const platform::ui::Image &image);
    /// A new image of the same size: the image clipped to a rounded rectangle over its whole size.
    static platform::ui::Image rounded(const platform::ui::Image &image, double radiusX, double radiusY);
    /// The image as PNG bytes (at its own pixel density); empty when it has nothing to draw.
    static std::optional<QByteArray> pngData(const platform::ui::Image &image);
    /// Writes `pngData` to `path` with `platform::writeFileAtomically`; nothing without data. A write
    /// that fails leaves the old file as it was and says why on stderr.
    static void writePNG(const platform::ui::Image &image, const QString &path);
    /// From version 12 of the system on, a template image drawn in `color` (a symbol's layers all
    /// take the colour); earlier systems, and other images, give the image itself.
    static platform::ui::Image withHierarchicalColor(
        const platform::ui::Image &image, const platform::ui::Color &color);

    ImageExtensions() = delete;
};

} // namespace olvane
