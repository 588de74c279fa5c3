#include "platform/ui/layervalue.h"

namespace platform::ui {

namespace {
    double mix(double a, double b, double t) { return a + (b - a) * t; }
} // namespace

LayerValue interpolate(const LayerValue &from, const LayerValue &to, double t)
{
    if (from.index() != to.index())
        return t < 1 ? from : to;
    if (auto a = std::get_if<double>(&from))
        return mix(*a, std::get<double>(to), t);
    if (auto a = std::get_if<Point>(&from)) {
        const Point b = std::get<Point>(to);
        return Point { mix(a->x, b.x, t), mix(a->y, b.y, t) };
    }
    if (auto a = std::get_if<Size>(&from)) {
        const Size b = std::get<Size>(to);
        return Size { mix(a->width, b.width, t), mix(a->height, b.height, t) };
    }
    if (auto a = std::get_if<Rect>(&from)) {
        const Rect b = std::get<Rect>(to);
        return Rect(mix(a->x(), b.x(), t), mix(a->y(), b.y(), t), mix(a->width(), b.width(), t),
            mix(a->height(), b.height(), t));
    }
    if (auto a = std::get_if<Color>(&from)) {
        const Color ca = a->resolved(), cb = std::get<Color>(to).resolved();
        return Color::fromRGBA(mix(ca.redComponent(), cb.redComponent(), t),
            mix(ca.greenComponent(), cb.greenComponent(), t), mix(ca.blueComponent(), cb.blueComponent(), t),
            mix(ca.alphaComponent(), cb.alphaComponent(), t));
    }
    if (auto a = std::get_if<Path>(&from))
        return Path::interpolated(*a, std::get<Path>(to), t);
    if (auto a = std::get_if<AffineTransform>(&from)) {
        const AffineTransform b = std::get<AffineTransform>(to);
        return AffineTransform(mix(a->a(), b.a(), t), mix(a->b(), b.b(), t), mix(a->c(), b.c(), t),
            mix(a->d(), b.d(), t), mix(a->tx(), b.tx(), t), mix(a->ty(), b.ty(), t));
    }
    return t < 1 ? from : to;
}

QDebug operator<<(QDebug d, const LayerValue &v)
{
    std::visit([&d](const auto &x) { d << x; }, v);
    return d;
}

} // namespace platform::ui
