#pragma once

#include "platform/ui/geometry.h"
#include "platform/ui/graphicscontext.h"

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QString>

#include <functional>
#include <memory>

namespace platform {
class Bundle;
}

namespace platform::ui {

/// A picture with a size in points, drawn sharply at any device scale.
///
/// An Image is a handle to a shared object, like the images of the drawing code it serves: copies of
/// a handle are the same object (`isSameObject`, `==`), and changing the size or template flag through
/// one handle shows through all. `copy()` makes a new object. A default-constructed Image is a new
/// blank object: no size, nothing to draw.
///
/// The content is one source (a bitmap, an SVG document, an icon or a drawing function) and, on top,
/// any drawings added with `drawOnTop` (drawn into the same picture, so compositing such as
/// source-atop acts on the source's pixels). A template image is a shape whose colour is meant to be
/// given by the code that shows it (its alpha counts, its colour does not).
class Image {
public:
    using Drawing = std::function<void(GraphicsContext &context, const Rect &bounds)>;

    Image();

    /// A bitmap; its size in points is its pixel size divided by its device-pixel ratio unless given.
    static Image fromQImage(const QImage &bitmap, std::optional<Size> size = std::nullopt);
    /// An SVG document; its size is the document's own unless given. Invalid data gives a blank image.
    static Image fromSvg(const QByteArray &svg, std::optional<Size> size = std::nullopt);
    static Image fromIcon(const QIcon &icon, Size size);
    /// A picture drawn by `drawing` whenever it is needed, in y-up points of `size`.
    static Image withDrawing(Size size, Drawing drawing);
    /// A PNG, SVG (also gzip-compressed .svgz) or other bitmap file; blank when it cannot be read.
    /// A bitmap named "name@2x.png" holds two pixels per point.
    static Image fromFile(const QString &path);
    /// The image `name` among the bundle's resources: "name.svg", else "name@2x.png", else
    /// "name.png" (a name with one of these extensions is taken as it is). Blank when there is none.
    static Image named(const platform::Bundle &bundle, const QString &name);

    bool isSameObject(const Image &other) const { return d == other.d; }
    friend bool operator==(const Image &a, const Image &b) { return a.d == b.d; }
    /// A new object with the same content, size and template flag.
    Image copy() const;

    Size size() const;
    /// Sets the size in points at which the content is drawn.
    void setSize(Size size);
    bool isTemplate() const;
    void setTemplate(bool isTemplate);
    /// True when the image has neither a size nor anything to draw.
    bool isBlank() const;
    /// True when it has a source or drawings.
    bool hasContent() const;
    /// Pixels per point of a bitmap source (2 for a "@2x" file); 1 for every other kind of source.
    double nativeScale() const;

    /// Makes the image a symbol image: `provider` draws the same symbol at another point size and
    /// weight (a blank image when it cannot). Copies keep it; drawing on top ends it, since a new
    /// rendering would lose what was drawn.
    using SymbolProvider = std::function<Image(double pointSize, double weight)>;
    void setSymbolProvider(SymbolProvider provider);
    bool isSymbolImage() const;
    /// The symbol drawn at `pointSize` and `weight` (`FontWeight`), with this image's template flag;
    /// none for an image that is no symbol or when the symbol cannot be drawn so.
    std::optional<Image> withSymbolConfiguration(double pointSize, double weight) const;

    /// Adds a drawing on top of the current content, in y-up points of the image's present size (a
    /// later change of size scales it with the rest of the picture).
    void drawOnTop(std::function<void(GraphicsContext &context)> drawing);

    /// Draws the image (or its part `source`) into `destination`.
    void draw(GraphicsContext &context, const Rect &destination, const std::optional<Rect> &source = std::nullopt,
        CompositeOperation op = CompositeOperation::sourceOver, double fraction = 1.0) const;
    /// Draws the image at its size with its lower-left corner at `point`.
    void draw(GraphicsContext &context, Point point) const;

    /// The picture rendered at `scale` device pixels per point (device-pixel ratio `scale`);
    /// a null image when blank. Results are cached per scale.
    QImage bitmap(double scale = 1.0) const;

private:
    struct Data;
    explicit Image(std::shared_ptr<Data> data);
    std::shared_ptr<Data> d;
};

QDebug operator<<(QDebug debug, const Image &image);

} // namespace platform::ui
