#include "platform/ui/layer.h"

#include "platform/core/clock.h"
#include "platform/ui/animation.h"
#include "platform/ui/basicanimation.h"
#include "platform/ui/graphicscontext.h"
#include "platform/ui/paintercontext.h"
#include "platform/ui/transaction.h"
#include "platform/ui/transition.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <typeinfo>

namespace platform::ui {

namespace {
    template <typename T> std::optional<T> as(const LayerValue &v)
    {
        if (auto p = std::get_if<T>(&v))
            return *p;
        return std::nullopt;
    }

    double scaleX(const AffineTransform &t) { return std::hypot(t.a(), t.b()); }

    double scaleY(const AffineTransform &t) { return std::hypot(t.c(), t.d()); }

    // Animation times are kept in whole milliseconds of the clock, so that elapsed times are exact.
    long long nowMs() { return platform::Clock::current().sinceEpoch().count(); }

    double elapsed(long long now, long long start) { return double(now - start) / 1000.0; }

    Rect gravityRect(ContentsGravity g, const Rect &b, Size s)
    {
        switch (g) {
        case ContentsGravity::resize:
            return b;
        case ContentsGravity::resizeAspect:
        case ContentsGravity::resizeAspectFill: {
            if (s.isEmpty())
                return b;
            const double f = g == ContentsGravity::resizeAspect ? std::min(b.width() / s.width, b.height() / s.height)
                                                                : std::max(b.width() / s.width, b.height() / s.height);
            const Size fitted { s.width * f, s.height * f };
            return Rect(b.midX() - fitted.width / 2, b.midY() - fitted.height / 2, fitted.width, fitted.height);
        }
        default:
            break;
        }
        double x = b.midX() - s.width / 2;
        double y = b.midY() - s.height / 2;
        switch (g) {
        case ContentsGravity::left:
        case ContentsGravity::topLeft:
        case ContentsGravity::bottomLeft:
            x = b.minX();
            break;
        case ContentsGravity::right:
        case ContentsGravity::topRight:
        case ContentsGravity::bottomRight:
            x = b.maxX() - s.width;
            break;
        default:
            break;
        }
        switch (g) {
        case ContentsGravity::top:
        case ContentsGravity::topLeft:
        case ContentsGravity::topRight:
            y = b.maxY() - s.height;
            break;
        case ContentsGravity::bottom:
        case ContentsGravity::bottomLeft:
        case ContentsGravity::bottomRight:
            y = b.minY();
            break;
        default:
            break;
        }
        return Rect(x, y, s.width, s.height);
    }
} // namespace

LayerHost::~LayerHost() = default;

Layer::Layer() = default;

Layer::Layer(const Layer &o, int)
    : std::enable_shared_from_this<Layer>()
    , m_bounds(o.m_bounds)
    , m_position(o.m_position)
    , m_anchorPoint(o.m_anchorPoint)
    , m_transform(o.m_transform)
    , m_backgroundColor(o.m_backgroundColor)
    , m_cornerRadius(o.m_cornerRadius)
    , m_borderWidth(o.m_borderWidth)
    , m_borderColor(o.m_borderColor)
    , m_opacity(o.m_opacity)
    , m_hidden(o.m_hidden)
    , m_masksToBounds(o.m_masksToBounds)
    , m_contentsScale(o.m_contentsScale)
    , m_contents(o.m_contents)
    , m_contentsGravity(o.m_contentsGravity)
    , m_shadowColor(o.m_shadowColor)
    , m_shadowOpacity(o.m_shadowOpacity)
    , m_shadowRadius(o.m_shadowRadius)
    , m_shadowOffset(o.m_shadowOffset)
    , m_name(o.m_name)
{
}

Layer::~Layer()
{
    for (const auto &sub : m_sublayers)
        sub->m_superlayer = nullptr;
    if (m_mask)
        m_mask->m_maskOwner = nullptr;
}

std::shared_ptr<Layer> Layer::makeCopy() const { return std::shared_ptr<Layer>(new Layer(*this, 0)); }

// ---- change reporting and implicit actions

LayerHost *Layer::treeHost() const
{
    const Layer *l = this;
    while (true) {
        if (l->m_superlayer)
            l = l->m_superlayer;
        else if (l->m_maskOwner)
            l = l->m_maskOwner;
        else
            break;
    }
    return l->m_host;
}

void Layer::changed()
{
    if (LayerHost *h = treeHost())
        h->layerTreeChanged();
}

void Layer::setNeedsDisplay() { changed(); }

std::optional<LayerValue> Layer::actionFrom(const QString &key) const
{
    if (Transaction::disableActions() || !m_shown || (!m_superlayer && !m_maskOwner))
        return std::nullopt;
    return presentationValue(key);
}

void Layer::didChange(const QString &key, const std::optional<LayerValue> &from)
{
    if (from) {
        BasicAnimation a(key);
        a.setFromValue(from);
        a.setDuration(Transaction::animationDuration());
        a.setTimingFunction(Transaction::animationTimingFunction().value_or(
            TimingFunction::named(TimingFunction::Name::defaultTiming)));
        addAnimation(a, key);
        return;
    }
    changed();
}

void Layer::setBounds(const Rect &r) { setAnimated(QStringLiteral("bounds"), m_bounds, r); }

void Layer::setPosition(Point p) { setAnimated(QStringLiteral("position"), m_position, p); }

void Layer::setAnchorPoint(Point p) { setAnimated(QStringLiteral("anchorPoint"), m_anchorPoint, p); }

void Layer::setTransform(const AffineTransform &t) { setAnimated(QStringLiteral("transform"), m_transform, t); }

Rect Layer::frame() const
{
    const Rect local(
        -m_anchorPoint.x * m_bounds.width(), -m_anchorPoint.y * m_bounds.height(), m_bounds.width(), m_bounds.height());
    return m_transform.mapRect(local).offsetBy(m_position.x, m_position.y);
}

void Layer::setFrame(const Rect &r0)
{
    const Rect r = r0.standardized();
    setPosition({ r.x() + m_anchorPoint.x * r.width(), r.y() + m_anchorPoint.y * r.height() });
    setBounds(Rect(m_bounds.origin, r.size));
}

void Layer::setBackgroundColor(std::optional<Color> c)
{
    if (c)
        c = c->resolved(); // a layer keeps the colour as it is now, like a device colour
    if (m_backgroundColor == c)
        return;
    const auto from = actionFrom(QStringLiteral("backgroundColor"));
    m_backgroundColor = c;
    didChange(QStringLiteral("backgroundColor"), from);
}

void Layer::setCornerRadius(double r) { setAnimated(QStringLiteral("cornerRadius"), m_cornerRadius, r); }

void Layer::setBorderWidth(double w) { setAnimated(QStringLiteral("borderWidth"), m_borderWidth, w); }

void Layer::setBorderColor(std::optional<Color> c)
{
    if (c)
        c = c->resolved();
    if (m_borderColor == c)
        return;
    const auto from = actionFrom(QStringLiteral("borderColor"));
    m_borderColor = c;
    didChange(QStringLiteral("borderColor"), from);
}

void Layer::setOpacity(double o) { setAnimated(QStringLiteral("opacity"), m_opacity, std::clamp(o, 0.0, 1.0)); }

void Layer::setHidden(bool hidden)
{
    if (m_hidden == hidden)
        return;
    m_hidden = hidden;
    changed();
}

void Layer::setMasksToBounds(bool on)
{
    if (m_masksToBounds == on)
        return;
    m_masksToBounds = on;
    changed();
}

void Layer::setMask(std::shared_ptr<Layer> mask)
{
    if (m_mask == mask)
        return;
    if (m_mask)
        m_mask->m_maskOwner = nullptr;
    if (mask) {
        if (mask->m_superlayer)
            mask->removeFromSuperlayer();
        if (mask->m_maskOwner && mask->m_maskOwner != this)
            mask->m_maskOwner->setMask(nullptr);
        mask->m_maskOwner = this;
    }
    m_mask = std::move(mask);
    changed();
}

void Layer::setContentsScale(double s)
{
    if (m_contentsScale == s)
        return;
    m_contentsScale = s;
    changed();
}

void Layer::setContents(std::optional<Image> image)
{
    m_contents = std::move(image);
    changed();
}

void Layer::setContentsGravity(ContentsGravity g)
{
    if (m_contentsGravity == g)
        return;
    m_contentsGravity = g;
    changed();
}

void Layer::setShadowColor(std::optional<Color> c)
{
    if (c)
        c = c->resolved();
    if (m_shadowColor == c)
        return;
    const auto from = actionFrom(QStringLiteral("shadowColor"));
    m_shadowColor = c;
    didChange(QStringLiteral("shadowColor"), from);
}

void Layer::setShadowOpacity(double o)
{
    setAnimated(QStringLiteral("shadowOpacity"), m_shadowOpacity, std::clamp(o, 0.0, 1.0));
}

void Layer::setShadowRadius(double r) { setAnimated(QStringLiteral("shadowRadius"), m_shadowRadius, r); }

void Layer::setShadowOffset(Size s) { setAnimated(QStringLiteral("shadowOffset"), m_shadowOffset, s); }

// ---- tree

void Layer::addSublayer(const std::shared_ptr<Layer> &layer) { insertSublayer(layer, m_sublayers.size()); }

void Layer::insertSublayer(const std::shared_ptr<Layer> &layer, size_t index)
{
    if (!layer || layer.get() == this)
        return;
    for (const Layer *a = this; a; a = a->m_superlayer)
        if (a == layer.get())
            return; // would make a cycle
    const std::shared_ptr<Layer> keep = layer;
    if (keep->m_superlayer == this) {
        const auto it = std::find(m_sublayers.begin(), m_sublayers.end(), keep);
        const size_t old = size_t(it - m_sublayers.begin());
        m_sublayers.erase(it);
        if (old < index)
            --index;
    } else if (keep->m_superlayer) {
        keep->removeFromSuperlayer();
    }
    if (keep->m_maskOwner)
        keep->m_maskOwner->setMask(nullptr);
    index = std::min(index, m_sublayers.size());
    m_sublayers.insert(m_sublayers.begin() + std::ptrdiff_t(index), keep);
    keep->m_superlayer = this;
    changed();
}

void Layer::insertSublayerBelow(const std::shared_ptr<Layer> &layer, const Layer *sibling)
{
    const auto it
        = std::find_if(m_sublayers.begin(), m_sublayers.end(), [&](const auto &l) { return l.get() == sibling; });
    insertSublayer(layer, it == m_sublayers.end() ? 0 : size_t(it - m_sublayers.begin()));
}

void Layer::insertSublayerAbove(const std::shared_ptr<Layer> &layer, const Layer *sibling)
{
    const auto it
        = std::find_if(m_sublayers.begin(), m_sublayers.end(), [&](const auto &l) { return l.get() == sibling; });
    insertSublayer(layer, it == m_sublayers.end() ? m_sublayers.size() : size_t(it - m_sublayers.begin()) + 1);
}

void Layer::replaceSublayer(const Layer *old, const std::shared_ptr<Layer> &replacement)
{
    const auto it = std::find_if(m_sublayers.begin(), m_sublayers.end(), [&](const auto &l) { return l.get() == old; });
    if (it == m_sublayers.end())
        return;
    const size_t index = size_t(it - m_sublayers.begin());
    const std::shared_ptr<Layer> keep = *it;
    keep->removeFromSuperlayer();
    insertSublayer(replacement, index);
}

void Layer::setSublayers(const std::vector<std::shared_ptr<Layer>> &layers)
{
    const auto old = m_sublayers;
    for (const auto &l : old)
        l->removeFromSuperlayer();
    for (const auto &l : layers)
        addSublayer(l);
    changed();
}

void Layer::removeFromSuperlayer()
{
    Layer *super = m_superlayer;
    if (!super)
        return;
    const std::shared_ptr<Layer> keep = weak_from_this().lock();
    super->detach(this);
    super->changed();
}

void Layer::detach(Layer *child)
{
    const auto it
        = std::find_if(m_sublayers.begin(), m_sublayers.end(), [&](const auto &l) { return l.get() == child; });
    if (it != m_sublayers.end()) {
        (*it)->m_superlayer = nullptr;
        m_sublayers.erase(it);
    }
}

const Layer *Layer::rootLayer() const
{
    const Layer *l = this;
    while (l->m_superlayer)
        l = l->m_superlayer;
    return l;
}

// ---- key-value access

std::optional<LayerValue> Layer::valueForKey(const QString &k) const
{
    if (k == QLatin1String("opacity"))
        return m_opacity;
    if (k == QLatin1String("position"))
        return m_position;
    if (k == QLatin1String("position.x"))
        return m_position.x;
    if (k == QLatin1String("position.y"))
        return m_position.y;
    if (k == QLatin1String("bounds"))
        return m_bounds;
    if (k == QLatin1String("bounds.size"))
        return m_bounds.size;
    if (k == QLatin1String("bounds.origin"))
        return m_bounds.origin;
    if (k == QLatin1String("bounds.size.width"))
        return m_bounds.width();
    if (k == QLatin1String("bounds.size.height"))
        return m_bounds.height();
    if (k == QLatin1String("anchorPoint"))
        return m_anchorPoint;
    if (k == QLatin1String("transform"))
        return m_transform;
    if (k == QLatin1String("transform.rotation") || k == QLatin1String("transform.rotation.z"))
        return m_transform.rotationAngle();
    if (k == QLatin1String("transform.scale") || k == QLatin1String("transform.scale.x"))
        return scaleX(m_transform);
    if (k == QLatin1String("transform.scale.y"))
        return scaleY(m_transform);
    if (k == QLatin1String("transform.translation.x"))
        return m_transform.tx();
    if (k == QLatin1String("transform.translation.y"))
        return m_transform.ty();
    if (k == QLatin1String("backgroundColor"))
        return m_backgroundColor.value_or(Color::clear());
    if (k == QLatin1String("borderColor"))
        return m_borderColor.value_or(Color::clear());
    if (k == QLatin1String("borderWidth"))
        return m_borderWidth;
    if (k == QLatin1String("cornerRadius"))
        return m_cornerRadius;
    if (k == QLatin1String("shadowOpacity"))
        return m_shadowOpacity;
    if (k == QLatin1String("shadowRadius"))
        return m_shadowRadius;
    if (k == QLatin1String("shadowOffset"))
        return m_shadowOffset;
    if (k == QLatin1String("shadowColor"))
        return m_shadowColor.value_or(Color::clear());
    return std::nullopt;
}

bool Layer::setValueForKey(const QString &k, const LayerValue &v)
{
    const auto d = as<double>(v);
    const auto p = as<Point>(v);
    const auto sz = as<Size>(v);
    const auto r = as<Rect>(v);
    const auto c = as<Color>(v);
    const auto t = as<AffineTransform>(v);
    bool ok = true;
    if (k == QLatin1String("opacity") && d)
        m_opacity = std::clamp(*d, 0.0, 1.0);
    else if (k == QLatin1String("position") && p)
        m_position = *p;
    else if (k == QLatin1String("position.x") && d)
        m_position.x = *d;
    else if (k == QLatin1String("position.y") && d)
        m_position.y = *d;
    else if (k == QLatin1String("bounds") && r)
        m_bounds = *r;
    else if (k == QLatin1String("bounds.size") && sz)
        m_bounds.size = *sz;
    else if (k == QLatin1String("bounds.origin") && p)
        m_bounds.origin = *p;
    else if (k == QLatin1String("bounds.size.width") && d)
        m_bounds.size.width = *d;
    else if (k == QLatin1String("bounds.size.height") && d)
        m_bounds.size.height = *d;
    else if (k == QLatin1String("anchorPoint") && p)
        m_anchorPoint = *p;
    else if (k == QLatin1String("transform") && t)
        m_transform = *t;
    else if ((k == QLatin1String("transform.rotation") || k == QLatin1String("transform.rotation.z")) && d)
        m_transform = m_transform.rotated(*d - m_transform.rotationAngle());
    else if (k == QLatin1String("transform.scale") && d) {
        const double sx = scaleX(m_transform), sy = scaleY(m_transform);
        m_transform = (sx > 0 && sy > 0) ? m_transform.scaled(*d / sx, *d / sy) : AffineTransform::scaling(*d, *d);
    } else if (k == QLatin1String("transform.scale.x") && d) {
        const double sx = scaleX(m_transform);
        m_transform = sx > 0 ? m_transform.scaled(*d / sx, 1) : AffineTransform::scaling(*d, 1);
    } else if (k == QLatin1String("transform.scale.y") && d) {
        const double sy = scaleY(m_transform);
        m_transform = sy > 0 ? m_transform.scaled(1, *d / sy) : AffineTransform::scaling(1, *d);
    } else if (k == QLatin1String("transform.translation.x") && d)
        m_transform
            = AffineTransform(m_transform.a(), m_transform.b(), m_transform.c(), m_transform.d(), *d, m_transform.ty());
    else if (k == QLatin1String("transform.translation.y") && d)
        m_transform
            = AffineTransform(m_transform.a(), m_transform.b(), m_transform.c(), m_transform.d(), m_transform.tx(), *d);
    else if (k == QLatin1String("backgroundColor") && c)
        m_backgroundColor = c->resolved();
    else if (k == QLatin1String("borderColor") && c)
        m_borderColor = c->resolved();
    else if (k == QLatin1String("borderWidth") && d)
        m_borderWidth = *d;
    else if (k == QLatin1String("cornerRadius") && d)
        m_cornerRadius = *d;
    else if (k == QLatin1String("shadowOpacity") && d)
        m_shadowOpacity = std::clamp(*d, 0.0, 1.0);
    else if (k == QLatin1String("shadowRadius") && d)
        m_shadowRadius = *d;
    else if (k == QLatin1String("shadowOffset") && sz)
        m_shadowOffset = *sz;
    else if (k == QLatin1String("shadowColor") && c)
        m_shadowColor = c->resolved();
    else
        ok = false;
    if (ok)
        changed();
    return ok;
}

// ---- animations

void Layer::addAnimation(const Animation &animation, const QString &key0)
{
    const QString key = key0.isEmpty() ? QStringLiteral("animation-%1").arg(++m_keyCounter) : key0;
    Attached a;
    a.start = animation.beginTime() > 0 ? std::llround(animation.beginTime() * 1000) : nowMs();
    if (auto basic = dynamic_cast<const BasicAnimation *>(&animation)) {
        if (!basic->fromValue())
            a.capturedFrom = presentationValue(basic->keyPath());
    } else if (dynamic_cast<const Transition *>(&animation)) {
        a.snapshotScale = std::max(1.0, m_contentsScale);
        a.snapshot = m_host ? m_host->layerHostSnapshot(a.snapshotScale) : snapshot(a.snapshotScale);
    }
    a.animation = std::shared_ptr<const Animation>(animation.clone());
    removeAnimation(key);
    m_animations.emplace_back(key, std::move(a));
    if (LayerHost *h = treeHost())
        h->layerAnimationAdded();
    changed();
}

void Layer::removeAnimation(const QString &key)
{
    const auto it
        = std::find_if(m_animations.begin(), m_animations.end(), [&](const auto &e) { return e.first == key; });
    if (it == m_animations.end())
        return;
    m_animations.erase(it);
    changed();
}

void Layer::removeAllAnimations()
{
    if (m_animations.empty())
        return;
    m_animations.clear();
    changed();
}

void Layer::pruneFinished() const
{
    const long long now = nowMs();
    std::erase_if(m_animations, [now](const auto &e) {
        return e.second.animation->isRemovedOnCompletion()
            && e.second.animation->isFinishedAt(elapsed(now, e.second.start));
    });
}

const Animation *Layer::animation(const QString &key) const
{
    pruneFinished();
    for (const auto &e : m_animations)
        if (e.first == key)
            return e.second.animation.get();
    return nullptr;
}

QStringList Layer::animationKeys() const
{
    pruneFinished();
    QStringList keys;
    for (const auto &e : m_animations)
        keys << e.first;
    return keys;
}

bool Layer::hasAnimations(bool includeSublayers) const
{
    pruneFinished();
    if (!m_animations.empty())
        return true;
    if (!includeSublayers)
        return false;
    if (m_mask && m_mask->hasAnimations(true))
        return true;
    return std::any_of(m_sublayers.begin(), m_sublayers.end(), [](const auto &l) { return l->hasAnimations(true); });
}

bool Layer::hasRunningAnimations() const
{
    pruneFinished();
    const long long now = nowMs();
    for (const auto &e : m_animations)
        if (!e.second.animation->isFinishedAt(elapsed(now, e.second.start)))
            return true;
    if (m_mask && m_mask->hasRunningAnimations())
        return true;
    return std::any_of(m_sublayers.begin(), m_sublayers.end(), [](const auto &l) { return l->hasRunningAnimations(); });
}

void Layer::applyAnimations(Layer &target, long long now) const
{
    for (const auto &[key, a] : m_animations) {
        const auto basic = dynamic_cast<const BasicAnimation *>(a.animation.get());
        if (!basic)
            continue;
        const std::optional<double> progress = basic->progressAt(elapsed(now, a.start));
        if (!progress)
            continue;
        const std::optional<LayerValue> model = valueForKey(basic->keyPath());
        if (!model)
            continue;
        const LayerValue from = basic->fromValue().value_or(a.capturedFrom.value_or(*model));
        const LayerValue to = basic->toValue().value_or(*model);
        target.setValueForKey(basic->keyPath(), interpolate(from, to, *progress));
    }
}

std::optional<LayerValue> Layer::presentationValue(const QString &keyPath) const
{
    std::optional<LayerValue> model = valueForKey(keyPath);
    if (!model || m_animations.empty())
        return model;
    return presentationLayer()->valueForKey(keyPath);
}

std::shared_ptr<Layer> Layer::presentationLayer() const
{
    pruneFinished();
    std::shared_ptr<Layer> copy = makeCopy();
    applyAnimations(*copy, nowMs());
    return copy;
}

const Layer::Attached *Layer::activeTransition(long long now, double *progress) const
{
    for (const auto &e : m_animations) {
        if (!dynamic_cast<const Transition *>(e.second.animation.get()))
            continue;
        if (const std::optional<double> p = e.second.animation->progressAt(elapsed(now, e.second.start))) {
            *progress = *p;
            return &e.second;
        }
    }
    return nullptr;
}

// ---- drawing

void Layer::drawInContext(GraphicsContext &) const { }

QImage Layer::snapshot(double scale) const
{
    if (m_bounds.isEmpty())
        return {};
    QImage img(std::max(1, int(std::ceil(m_bounds.width() * scale))),
        std::max(1, int(std::ceil(m_bounds.height() * scale))), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    img.setDevicePixelRatio(scale);
    QPainter painter(&img);
    PainterContext ctx(painter, m_bounds.size, scale);
    ctx.translate(-m_bounds.x(), -m_bounds.y());
    renderInContext(ctx);
    return img;
}

void Layer::renderInContext(GraphicsContext &context) const { renderBody(context, nullptr, nullptr); }

void Layer::renderInContext(GraphicsContext &context, const std::function<void(GraphicsContext &)> &content) const
{
    renderBody(context, &content, nullptr);
}

void Layer::renderPlaced(GraphicsContext &context) const
{
    pruneFinished();
    std::shared_ptr<Layer> presented;
    const Layer *v = this;
    if (!m_animations.empty()) {
        presented = presentationLayer();
        v = presented.get();
    }
    if (v->m_hidden)
        return;
    context.save();
    context.translate(v->m_position.x, v->m_position.y);
    context.concat(v->m_transform);
    context.translate(-v->m_anchorPoint.x * v->m_bounds.width() - v->m_bounds.x(),
        -v->m_anchorPoint.y * v->m_bounds.height() - v->m_bounds.y());
    renderBody(context, nullptr, v);
    context.restore();
}

void Layer::renderBody(
    GraphicsContext &ctx, const std::function<void(GraphicsContext &)> *content, const Layer *presentation) const
{
    pruneFinished();
    const long long now = nowMs();
    std::shared_ptr<Layer> presented;
    const Layer *v = presentation ? presentation : this;
    if (!presentation && !m_animations.empty()) {
        presented = presentationLayer();
        v = presented.get();
    }
    m_shown = true;
    if (v->m_hidden || v->m_opacity <= 0)
        return;
    // Subclasses that do not make presentation copies of their own still draw their own content.
    const Layer *drawer = typeid(*v) == typeid(*this) ? v : this;

    const Rect b = v->m_bounds;
    const double radius = std::min({ v->m_cornerRadius, b.width() / 2, b.height() / 2 });
    const Path boundsPath = radius > 0 ? Path::roundedRect(b, radius, radius) : Path::rect(b);

    std::optional<Shadow> shadow;
    if (v->m_shadowOpacity > 0 && v->m_shadowColor && v->m_shadowColor->alphaComponent() > 0)
        shadow = Shadow { v->m_shadowOffset, v->m_shadowRadius,
            v->m_shadowColor->withAlphaComponent(v->m_shadowColor->alphaComponent() * v->m_shadowOpacity) };
    const bool group = v->m_opacity < 1 || m_mask || shadow;

    ctx.save();
    if (v->m_masksToBounds)
        ctx.clipToPath(boundsPath);
    if (group)
        ctx.beginTransparencyLayer(v->m_opacity, shadow);

    double transitionProgress = 1;
    const Attached *transition = activeTransition(now, &transitionProgress);
    if (transition) {
        if (!transition->snapshot.isNull()) {
            const Image old = Image::fromQImage(transition->snapshot);
            ctx.drawImage(old, b, std::nullopt, CompositeOperation::sourceOver, 1 - transitionProgress);
        }
        // The new picture adds to the fading old one, so the two always sum to one whole picture.
        ctx.save();
        ctx.setCompositeOperation(CompositeOperation::plusLighter);
        ctx.beginTransparencyLayer(transitionProgress);
    }

    if (v->m_backgroundColor && v->m_backgroundColor->alphaComponent() > 0) {
        if (radius > 0)
            ctx.fillRoundedRect(b, radius, radius, *v->m_backgroundColor);
        else
            ctx.fillRect(b, *v->m_backgroundColor);
    }
    if (v->m_contents && !v->m_contents->size().isEmpty())
        ctx.drawImage(*v->m_contents, gravityRect(v->m_contentsGravity, b, v->m_contents->size()));
    ctx.save();
    drawer->drawInContext(ctx);
    ctx.restore();
    if (content) {
        ctx.save();
        (*content)(ctx);
        ctx.restore();
    }
    for (const auto &sub : m_sublayers)
        sub->renderPlaced(ctx);
    if (v->m_borderWidth > 0 && v->m_borderColor && v->m_borderColor->alphaComponent() > 0) {
        const double w = std::min({ v->m_borderWidth, b.width() / 2, b.height() / 2 });
        const Rect inner = b.insetBy(w / 2, w / 2);
        const double r = std::max(0.0, radius - w / 2);
        StrokeStyle s;
        s.color = *v->m_borderColor;
        s.lineWidth = w;
        ctx.strokePath(r > 0 ? Path::roundedRect(inner, r, r) : Path::rect(inner), s);
    }

    if (transition) {
        ctx.endTransparencyLayer();
        ctx.restore();
    }
    if (m_mask) {
        ctx.beginMaskContent();
        m_mask->renderPlaced(ctx);
    }
    if (group)
        ctx.endTransparencyLayer();
    ctx.restore();
}

} // namespace platform::ui
