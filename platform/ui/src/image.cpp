#include "platform/ui/image.h"

#include "platform/core/bundle.h"
#include "platform/ui/paintercontext.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <map>

namespace platform::ui {

struct Image::Data {
    Size size;
    bool isTemplate = false;
    QImage bitmap;
    std::shared_ptr<QSvgRenderer> svg;
    QIcon icon;
    Drawing drawing;
    // Drawings added on top, each with the size the image had then (they scale with later sizes).
    std::vector<std::pair<std::function<void(GraphicsContext &)>, Size>> overlays;
    mutable std::map<long long, QImage> cache;
    SymbolProvider symbol;

    bool hasSource() const { return !bitmap.isNull() || svg || !icon.isNull() || drawing; }
    void render(PainterContext &ctx, QPainter &painter, double scale) const;
};

void Image::Data::render(PainterContext &ctx, QPainter &painter, double scale) const
{
    const Rect bounds(0, 0, size.width, size.height);
    // Qt's y-down rectangle covering the whole picture.
    const QRectF target(0, 0, size.width, size.height);
    painter.resetTransform();
    if (!bitmap.isNull()) {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, bitmap);
        painter.restore();
    } else if (svg) {
        svg->render(&painter, target);
    } else if (!icon.isNull()) {
        const QSize px(int(std::ceil(size.width * scale)), int(std::ceil(size.height * scale)));
        QPixmap pm = icon.pixmap(px);
        painter.drawPixmap(target, pm, QRectF(pm.rect()));
    } else if (drawing) {
        drawing(ctx, bounds);
    }
    for (const auto &[overlay, drawnAt] : overlays) {
        ctx.save();
        if (!drawnAt.isEmpty())
            ctx.scale(size.width / drawnAt.width, size.height / drawnAt.height);
        overlay(ctx);
        ctx.restore();
    }
}

Image::Image()
    : d(std::make_shared<Data>())
{
}

Image::Image(std::shared_ptr<Data> data)
    : d(std::move(data))
{
}

Image Image::fromQImage(const QImage &bitmap, std::optional<Size> size)
{
    auto data = std::make_shared<Data>();
    if (bitmap.isNull())
        return Image(data);
    data->bitmap = bitmap.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const double dpr = bitmap.devicePixelRatio() > 0 ? bitmap.devicePixelRatio() : 1.0;
    data->size = size.value_or(Size { bitmap.width() / dpr, bitmap.height() / dpr });
    return Image(data);
}

Image Image::fromSvg(const QByteArray &svg, std::optional<Size> size)
{
    auto data = std::make_shared<Data>();
    auto renderer = std::make_shared<QSvgRenderer>(svg);
    if (!renderer->isValid())
        return Image(data);
    renderer->setAspectRatioMode(Qt::IgnoreAspectRatio);
    data->svg = renderer;
    const QRectF box = renderer->viewBoxF();
    data->size
        = size.value_or(box.isEmpty() ? Size::fromQSizeF(renderer->defaultSize()) : Size::fromQSizeF(box.size()));
    return Image(data);
}

Image Image::fromIcon(const QIcon &icon, Size size)
{
    auto data = std::make_shared<Data>();
    data->icon = icon;
    data->size = icon.isNull() ? Size() : size;
    return Image(data);
}

Image Image::withDrawing(Size size, Drawing drawing)
{
    auto data = std::make_shared<Data>();
    data->size = size;
    data->drawing = std::move(drawing);
    return Image(data);
}

Image Image::fromFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg") || suffix == QLatin1String("svgz")) {
        QSvgRenderer probe(path);
        if (!probe.isValid())
            return Image();
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return Image();
        const QByteArray bytes = f.readAll();
        Image img = fromSvg(bytes);
        if (img.isBlank()) {
            // Compressed documents: let the renderer read the file itself.
            auto data = std::make_shared<Data>();
            data->svg = std::make_shared<QSvgRenderer>(path);
            data->svg->setAspectRatioMode(Qt::IgnoreAspectRatio);
            const QRectF box = data->svg->viewBoxF();
            data->size = Size::fromQSizeF(box.isEmpty() ? QSizeF(data->svg->defaultSize()) : box.size());
            return Image(data);
        }
        return img;
    }
    QImageReader reader(path);
    QImage bitmap = reader.read();
    if (bitmap.isNull())
        return Image();
    // "name@2x.png" holds two pixels per point.
    const QString base = QFileInfo(path).completeBaseName();
    const auto at = base.lastIndexOf(QLatin1Char('@'));
    if (at > 0 && base.endsWith(QLatin1Char('x'))) {
        bool ok = false;
        const double factor = base.mid(at + 1, base.size() - at - 2).toDouble(&ok);
        if (ok && factor > 0)
            bitmap.setDevicePixelRatio(factor);
    }
    return fromQImage(bitmap);
}

Image Image::named(const platform::Bundle &bundle, const QString &name)
{
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == QLatin1String("svg") || suffix == QLatin1String("png")) {
        const QString path = bundle.pathForResource(QFileInfo(name).completeBaseName(), suffix);
        return path.isEmpty() ? Image() : fromFile(path);
    }
    for (const auto &[base, ext] :
        { std::pair { name, QStringLiteral("svg") }, std::pair { name + QStringLiteral("@2x"), QStringLiteral("png") },
            std::pair { name, QStringLiteral("png") } }) {
        const QString path = bundle.pathForResource(base, ext);
        if (!path.isEmpty())
            return fromFile(path);
    }
    return Image();
}

Image Image::copy() const
{
    // Same content at the same size: the bitmaps rendered so far stay right.
    return Image(std::make_shared<Data>(*d));
}

Size Image::size() const { return d->size; }

void Image::setSize(Size size)
{
    if (d->size == size)
        return;
    d->size = size;
    d->cache.clear();
}

bool Image::isTemplate() const { return d->isTemplate; }

void Image::setTemplate(bool isTemplate) { d->isTemplate = isTemplate; }

bool Image::isBlank() const { return d->size.isEmpty() && !hasContent(); }

bool Image::hasContent() const { return d->hasSource() || !d->overlays.empty(); }

double Image::nativeScale() const
{
    if (d->bitmap.isNull() || d->size.width <= 0)
        return 1.0;
    return std::max(1.0, d->bitmap.width() / d->size.width);
}

void Image::setSymbolProvider(SymbolProvider provider) { d->symbol = std::move(provider); }

bool Image::isSymbolImage() const { return static_cast<bool>(d->symbol); }

std::optional<Image> Image::withSymbolConfiguration(double pointSize, double weight) const
{
    if (!d->symbol)
        return std::nullopt;
    Image configured = d->symbol(pointSize, weight);
    if (configured.isBlank())
        return std::nullopt;
    configured.setTemplate(d->isTemplate);
    return configured;
}

void Image::drawOnTop(std::function<void(GraphicsContext &context)> drawing)
{
    d->symbol = nullptr;
    d->overlays.emplace_back(std::move(drawing), d->size);
    d->cache.clear();
}

void Image::draw(GraphicsContext &context, const Rect &destination, const std::optional<Rect> &source,
    CompositeOperation op, double fraction) const
{
    context.drawImage(*this, destination, source, op, fraction);
}

void Image::draw(GraphicsContext &context, Point point) const { context.drawImage(*this, Rect(point, d->size)); }

QImage Image::bitmap(double scale) const
{
    if (d->size.isEmpty() || !hasContent() || !(scale > 0))
        return {};
    const long long key = std::llround(scale * 1000);
    if (auto it = d->cache.find(key); it != d->cache.end())
        return it->second;
    const int w = std::max(1, int(std::ceil(d->size.width * scale - 1e-6)));
    const int h = std::max(1, int(std::ceil(d->size.height * scale - 1e-6)));
    // QPainter takes a device-pixel ratio below 1 for 1: fewer pixels than points are drawn at one
    // pixel per point first, then scaled down, or the picture would come out cut to its top-left part.
    const double drawn = std::max(scale, 1.0);
    QImage out(std::max(w, int(std::ceil(d->size.width * drawn - 1e-6))),
        std::max(h, int(std::ceil(d->size.height * drawn - 1e-6))), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    out.setDevicePixelRatio(drawn);
    {
        QPainter painter(&out);
        painter.setRenderHint(QPainter::Antialiasing);
        PainterContext ctx(painter, d->size, drawn);
        // Sources draw in Qt's y-down space of the picture; the context keeps its own y-up transform.
        d->render(ctx, painter, drawn);
    }
    if (drawn != scale) {
        out = out.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        out.setDevicePixelRatio(scale);
    }
    if (d->cache.size() > 8)
        d->cache.clear();
    d->cache.emplace(key, out);
    return out;
}

QDebug operator<<(QDebug debug, const Image &image)
{
    QDebugStateSaver s(debug);
    debug.nospace() << "Image(" << image.size() << (image.isTemplate() ? ", template" : "")
                    << (image.hasContent() ? "" : ", blank") << ')';
    return debug;
}

} // namespace platform::ui
