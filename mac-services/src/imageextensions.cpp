#include "olvane/imageextensions.h"

#include <platform/core/atomicfile.h>
#include <platform/core/systemversion.h>
#include <platform/ui/graphicscontext.h>
#include <tavrin/images.h>

#include <QBuffer>
#include <QFile>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace olvane {

using platform::ui::Color;
using platform::ui::CompositeOperation;
using platform::ui::GraphicsContext;
using platform::ui::Image;
using platform::ui::ImageInterpolation;
using platform::ui::Rect;
using platform::ui::Size;

const Image &ImageExtensions::empty()
{
    static const Image s_empty;
    return s_empty;
}

Image ImageExtensions::resized(const Image &image, double width, double height)
{
    // The source as it is now: later changes to it do not reach the new image.
    const Image source = image.copy();
    return Image::withDrawing({ width, height }, [source](GraphicsContext &ctx, const Rect &bounds) {
        ctx.setImageInterpolation(ImageInterpolation::high);
        ctx.drawImage(
            source, bounds, Rect(0, 0, source.size().width, source.size().height), CompositeOperation::copy, 1.0);
    });
}

Image ImageExtensions::resizedToHeight(const Image &image, double height)
{
    const Size s = image.size();
    const double width = s.height > 0 ? s.width * height / s.height : 0;
    return resized(image, width, height);
}

Image ImageExtensions::tinted(const Image &image, const Color &color) { return tavrin::Images::tinted(color, image); }

Image ImageExtensions::accentTinted(const Image &image) { return tinted(image, Color::controlAccent()); }

Image ImageExtensions::rounded(const Image &image, double radiusX, double radiusY)
{
    const Image source = image.copy();
    return Image::withDrawing(image.size(), [source, radiusX, radiusY](GraphicsContext &ctx, const Rect &bounds) {
        ctx.setImageInterpolation(ImageInterpolation::high);
        ctx.clipToPath(platform::ui::Path::roundedRect(bounds, radiusX, radiusY), platform::ui::FillRule::evenOdd);
        ctx.drawImage(source, Rect(0, 0, source.size().width, source.size().height), std::nullopt,
            CompositeOperation::sourceOver, 1.0);
    });
}

std::optional<QByteArray> ImageExtensions::pngData(const Image &image)
{
    const QImage bitmap = image.bitmap(image.nativeScale());
    if (bitmap.isNull())
        return std::nullopt;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!bitmap.save(&buffer, "PNG"))
        return std::nullopt;
    return bytes;
}

void ImageExtensions::writePNG(const Image &image, const QString &path)
{
    const std::optional<QByteArray> data = pngData(image);
    if (!data)
        return;
    if (const platform::FileWriteResult written = platform::writeFileAtomically(path, *data); !written)
        std::fprintf(stderr, "%s\n", qPrintable(written.error));
}

Image ImageExtensions::withHierarchicalColor(const Image &image, const Color &color)
{
    if (!platform::SystemVersion::current().isAtLeast(12))
        return image;
    return tavrin::Images::tinted(color, image);
}

namespace {

    // Contrast about middle grey: 1 keeps the grey as it is, more spreads it towards black and white.
    double effectContrast(PhotoEffect effect)
    {
        switch (effect) {
        case PhotoEffect::mono:
            return 1.0;
        case PhotoEffect::tonal:
            return 1.15;
        case PhotoEffect::noir:
            return 1.7;
        }
        return 1.0;
    }

} // namespace

std::optional<platform::ui::Image> ImageExtensions::withEffect(const platform::ui::Image &image, PhotoEffect effect)
{
    const QImage source = image.bitmap(image.nativeScale());
    if (source.isNull())
        return std::nullopt;
    QImage result = source.convertToFormat(QImage::Format_ARGB32);
    const double contrast = effectContrast(effect);
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QRgb pixel = line[x];
            const double luminance = (0.2126 * qRed(pixel) + 0.7152 * qGreen(pixel) + 0.0722 * qBlue(pixel)) / 255.0;
            const double grey = std::clamp((luminance - 0.5) * contrast + 0.5, 0.0, 1.0);
            const int level = int(std::lround(grey * 255.0));
            line[x] = qRgba(level, level, level, qAlpha(pixel));
        }
    }
    return platform::ui::Image::fromQImage(result, image.size());
}

} // namespace olvane
