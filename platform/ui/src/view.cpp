#include "platform/ui/view.h"

#include "platform/ui/graphicscontext.h"
#include "platform/ui/paintercontext.h"
#include "platform/ui/scrollview.h"
#include "platform/ui/systemappearance.h"
#include "platform/ui/transaction.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace platform::ui {

namespace {
    std::vector<View *> &allViews()
    {
        static std::vector<View *> s_views;
        return s_views;
    }

    QRect enclosingRect(double x, double y, double w, double h)
    {
        const int x0 = int(std::floor(x + 1e-9));
        const int y0 = int(std::floor(y + 1e-9));
        const int x1 = int(std::ceil(x + w - 1e-9));
        const int y1 = int(std::ceil(y + h - 1e-9));
        return QRect(x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0));
    }
} // namespace

View::View(const Rect &frame, QWidget *parent)
    : QWidget(parent)
    , m_frame(frame.standardized())
    , m_bounds(Point(), m_frame.size)
{
    allViews().push_back(this);
    static const bool s_following = [] {
        SystemAppearance &sa = SystemAppearance::instance();
        QObject::connect(&sa, &SystemAppearance::changed, &sa, &View::applicationAppearanceChanged);
        return true;
    }();
    Q_UNUSED(s_following);
    setAttribute(Qt::WA_NoSystemBackground, parent != nullptr);
    m_lastAppearance = effectiveAppearance();
    applyGeometry();
    scheduleLayout();
}

View::~View()
{
    auto &views = allViews();
    views.erase(std::remove(views.begin(), views.end(), this), views.end());
    if (m_layer)
        m_layer->setHost(nullptr);
    // Constraints held elsewhere must not keep pointing at this view.
    for (View *v : views) {
        std::erase_if(v->m_constraints, [this](const std::shared_ptr<LayoutConstraint> &c) {
            if (c->m_first == this || c->m_second == this) {
                c->m_holder = nullptr;
                return true;
            }
            return false;
        });
    }
    for (const auto &c : m_constraints)
        c->m_holder = nullptr;
}

// ---- geometry

bool View::isFlipped() const { return false; }

void View::setFrame(const Rect &frame0)
{
    const Rect frame = frame0.standardized();
    if (frame == m_frame)
        return;
    const Size old = m_frame.size;
    m_frame = frame;
    if (old != frame.size) {
        m_bounds.size = frame.size;
        sizeChanged(old);
    }
    if (m_layer)
        Transaction::withoutActions([&] { m_layer->setFrame(m_frame); });
    applyGeometry();
    if (View *s = superview())
        s->setNeedsDisplay();
}

void View::setFrameOrigin(Point origin) { setFrame(Rect(origin, m_frame.size)); }

void View::setFrameSize(Size size) { setFrame(Rect(m_frame.origin, size)); }

void View::setBounds(const Rect &bounds)
{
    const Rect b = bounds.standardized();
    if (b == m_bounds)
        return;
    const Size old = m_bounds.size;
    m_bounds = b;
    if (old != b.size) {
        m_frame.size = b.size;
        sizeChanged(old);
        applyGeometry();
    } else {
        applyChildGeometry();
    }
    setNeedsDisplay();
}

void View::setBoundsOrigin(Point origin) { setBounds(Rect(origin, m_bounds.size)); }

void View::sizeChanged(Size)
{
    if (m_layer) {
        Transaction::withoutActions([&] {
            m_layer->setBounds(m_bounds);
            m_layer->setPosition({ m_frame.x() + m_layer->anchorPoint().x * m_frame.width(),
                m_frame.y() + m_layer->anchorPoint().y * m_frame.height() });
        });
    }
    setNeedsLayout();
    setNeedsDisplay();
    m_cursorRectsValid = false;
    updateTrackingAreas();
    applyChildGeometry();
}

void View::applyGeometry()
{
    QRect g;
    if (View *s = superview()) {
        const Rect sb = s->bounds();
        const double x = m_frame.x() - sb.x();
        const double yIn = m_frame.y() - sb.y();
        const double y = s->isFlipped() ? yIn : sb.height() - yIn - m_frame.height();
        g = enclosingRect(x, y, m_frame.width(), m_frame.height());
    } else if (QWidget *p = parentWidget()) {
        g = enclosingRect(m_frame.x(), p->height() - m_frame.y() - m_frame.height(), m_frame.width(), m_frame.height());
    } else {
        g = QRect(geometry().topLeft(), enclosingRect(0, 0, m_frame.width(), m_frame.height()).size());
    }
    m_appliedGeometry = g;
    if (geometry() != g)
        setGeometry(g);
}

void View::applyChildGeometry()
{
    for (View *v : subviews())
        v->applyGeometry();
}

void View::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (event->size() == m_appliedGeometry.size())
        return;
    // Resized from outside (a window, a Qt layout): take the new size as the frame's.
    const Size old = m_frame.size;
    m_appliedGeometry.setSize(event->size());
    m_frame.size = Size { double(event->size().width()), double(event->size().height()) };
    m_bounds.size = m_frame.size;
    sizeChanged(old);
}

Point View::fromWidget(const QPointF &p) const
{
    const double y = isFlipped() ? p.y() : height() - p.y();
    // The widget may be a little larger than the frame (rounded outward); keep the frame's origin.
    const double dy = isFlipped() ? 0 : (height() - m_frame.height());
    return { p.x() + m_bounds.x(), y - dy + m_bounds.y() };
}

QPointF View::toWidget(Point p) const
{
    const double dy = isFlipped() ? 0 : (height() - m_frame.height());
    const double y = isFlipped() ? p.y - m_bounds.y() : height() - (p.y - m_bounds.y() + dy);
    return { p.x - m_bounds.x(), y };
}

AffineTransform View::transformToSuperview() const
{
    // Own coordinates → superview coordinates.
    AffineTransform t;
    const View *s = superview();
    if (s && s->isFlipped())
        t = AffineTransform(1, 0, 0, -1, m_frame.x(), m_frame.y() + m_frame.height());
    else
        t = AffineTransform::translation(m_frame.x(), m_frame.y());
    if (isFlipped())
        t = t.concatenated(AffineTransform(1, 0, 0, -1, 0, m_frame.height()));
    return t.translated(-m_bounds.x(), -m_bounds.y());
}

AffineTransform View::transformToWindow() const
{
    AffineTransform t;
    const View *v = this;
    while (const View *s = v->superview()) {
        t = v->transformToSuperview().concatenated(t);
        v = s;
    }
    // The top view's coordinates → the window's y-up space (the top view fills the window).
    AffineTransform top = AffineTransform::translation(-v->m_bounds.x(), -v->m_bounds.y());
    if (v->isFlipped())
        top = AffineTransform(1, 0, 0, -1, 0, v->m_frame.height()).concatenated(top);
    return top.concatenated(t);
}

Point View::convertPoint(Point p, const View *from) const
{
    const AffineTransform fromWindow = from ? from->transformToWindow() : AffineTransform();
    return transformToWindow().inverted().map(fromWindow.map(p));
}

Point View::convertPointTo(Point p, const View *to) const
{
    const AffineTransform toWindow = to ? to->transformToWindow() : AffineTransform();
    return toWindow.inverted().map(transformToWindow().map(p));
}

Rect View::convertRect(const Rect &r, const View *from) const
{
    const AffineTransform fromWindow = from ? from->transformToWindow() : AffineTransform();
    return transformToWindow().inverted().concatenated(fromWindow).mapRect(r);
}

// ---- hierarchy

View *View::superview() const { return qobject_cast<View *>(parentWidget()); }

QList<View *> View::subviews() const
{
    QList<View *> out;
    for (QObject *o : children())
        if (auto *v = qobject_cast<View *>(o); v && v->isWidgetType() && !v->isWindow())
            out << v;
    return out;
}

void View::addSubview(View *view)
{
    if (!view || view == this || isDescendantOf(view))
        return;
    view->viewWillMoveToSuperview(this);
    if (view->parentWidget() == this) {
        view->raise();
    } else {
        view->setParent(this);
        view->setAttribute(Qt::WA_NoSystemBackground, true);
    }
    view->applyGeometry();
    if (!view->m_hidden)
        view->show();
    view->propagateAppearance();
    view->viewDidMoveToSuperview();
    setNeedsLayout();
    setNeedsDisplay();
}

void View::addSubview(View *view, Ordering ordering, View *relativeTo)
{
    addSubview(view);
    if (!view || !relativeTo || relativeTo->superview() != this || relativeTo == view)
        return;
    if (ordering == Ordering::below) {
        view->stackUnder(relativeTo);
    } else {
        // Qt can only stack under: put every sibling above `relativeTo` above the new view.
        view->stackUnder(relativeTo);
        relativeTo->stackUnder(view);
    }
    setNeedsDisplay();
}

void View::removeFromSuperview()
{
    View *s = superview();
    if (!s)
        return;
    viewWillMoveToSuperview(nullptr);
    hide();
    setParent(nullptr);
    // Constraints tying this view to its old superview end with the move.
    std::erase_if(s->m_constraints, [this](const std::shared_ptr<LayoutConstraint> &c) {
        if (c->m_first == this || c->m_second == this) {
            c->m_holder = nullptr;
            return true;
        }
        return false;
    });
    applyGeometry();
    propagateAppearance();
    viewDidMoveToSuperview();
    s->setNeedsLayout();
    s->setNeedsDisplay();
}

bool View::isDescendantOf(const View *view) const
{
    for (const View *v = this; v; v = v->superview())
        if (v == view)
            return true;
    return false;
}

View *View::hitTest(Point p)
{
    if (m_hidden)
        return nullptr;
    const Point local = transformToSuperview().inverted().map(p);
    if (!m_bounds.contains(local))
        return nullptr;
    const QList<View *> subs = subviews();
    for (auto it = subs.rbegin(); it != subs.rend(); ++it)
        if (View *hit = (*it)->hitTest(local))
            return hit;
    return this;
}

void View::viewWillMoveToSuperview(View *) { }

void View::viewDidMoveToSuperview() { }

// ---- visibility and display

void View::setHidden(bool hidden)
{
    if (m_hidden == hidden)
        return;
    m_hidden = hidden;
    QWidget::setHidden(hidden);
    if (View *s = superview())
        s->setNeedsDisplay();
    else
        setNeedsDisplay();
}

bool View::isHiddenOrHasHiddenAncestor() const
{
    for (const View *v = this; v; v = v->superview())
        if (v->m_hidden)
            return true;
    return false;
}

void View::setNeedsDisplay(bool needs)
{
    m_needsDisplay = needs;
    if (!needs)
        return;
    update();
    for (View *v = this; v; v = v->superview())
        emit v->displayRequested();
}

void View::drawRect(GraphicsContext &, const Rect &) { }

bool View::isPaintingRoot() const { return !superview(); }

void View::paintEvent(QPaintEvent *event)
{
    if (!isPaintingRoot())
        return; // the topmost view paints the tree
    layoutSubtreeIfNeeded();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRegion(event->region());
    const Size surface { double(width()), double(height()) };
    PainterContext ctx(painter, surface, devicePixelRatioF());
    // The widget can be taller than the frame (rounding); the frame sits at its bottom.
    renderTree(ctx, false);
}

void View::render(GraphicsContext &context)
{
    layoutSubtreeIfNeeded();
    renderTree(context, true);
}

QImage View::renderToImage(Size size, double scale)
{
    if (!(scale > 0))
        scale = 1;
    QImage img(std::max(1, int(std::ceil(size.width * scale - 1e-9))),
        std::max(1, int(std::ceil(size.height * scale - 1e-9))), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    img.setDevicePixelRatio(scale);
    QPainter painter(&img);
    painter.setRenderHint(QPainter::Antialiasing);
    PainterContext ctx(painter, size, scale);
    render(ctx);
    return img;
}

void View::renderTree(GraphicsContext &ctx, bool offscreen)
{
    m_needsDisplay = false;
    if (m_hidden)
        return;
    ScopedDrawingAppearance appearance(effectiveAppearance());
    ScopedCurrentContext current(ctx);
    ctx.save();
    if (m_layer) {
        // The root layer's transform turns the view about its anchor point (a scale while pressed,
        // a spin), as shown now.
        const auto t = m_layer->presentationValue(QStringLiteral("transform"));
        const auto a = m_layer->presentationValue(QStringLiteral("anchorPoint"));
        const AffineTransform transform = t ? std::get<AffineTransform>(*t) : AffineTransform();
        if (!transform.isIdentity()) {
            const Point anchor = a ? std::get<Point>(*a) : Point { 0.5, 0.5 };
            const double ax = anchor.x * m_frame.width(), ay = anchor.y * m_frame.height();
            ctx.translate(ax, ay);
            ctx.concat(transform);
            ctx.translate(-ax, -ay);
        }
    }
    if (isFlipped()) {
        ctx.translate(0, m_frame.height());
        ctx.scale(1, -1);
    }
    ctx.translate(-m_bounds.x(), -m_bounds.y());
    const auto content = [this, offscreen](GraphicsContext &c) {
        c.save();
        c.clipToRect(m_bounds);
        drawRect(c, m_bounds);
        c.restore();
        if (clipsSubviews()) {
            c.save();
            c.clipToRect(m_bounds);
            renderSubviews(c, offscreen);
            c.restore();
        } else {
            renderSubviews(c, offscreen);
        }
    };
    if (m_layer)
        m_layer->renderInContext(ctx, content);
    else
        content(ctx);
    ctx.restore();
}

void View::renderSubviews(GraphicsContext &ctx, bool offscreen)
{
    for (QObject *o : children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (!w || w->isWindow())
            continue;
        if (auto *v = qobject_cast<View *>(w)) {
            if (v->m_hidden)
                continue;
            ctx.save();
            // Frames are in this view's bounds space; the subview's own flip is applied in its renderTree.
            if (isFlipped())
                ctx.concat(AffineTransform(1, 0, 0, -1, v->m_frame.x(), v->m_frame.y() + v->m_frame.height()));
            else
                ctx.translate(v->m_frame.x(), v->m_frame.y());
            v->renderTree(ctx, offscreen);
            ctx.restore();
        } else if (offscreen && !w->isHidden()) {
            const QRect g = w->geometry();
            const double y = isFlipped() ? g.y() + m_bounds.y() : m_bounds.height() - g.y() - g.height() + m_bounds.y();
            ctx.drawWidget(w, Rect(g.x() + m_bounds.x(), y, g.width(), g.height()));
        }
    }
}

// ---- layout

void View::scheduleLayout()
{
    if (m_layoutScheduled)
        return;
    m_layoutScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_layoutScheduled = false;
            View *top = this;
            while (View *s = top->superview())
                top = s;
            top->layoutSubtreeIfNeeded();
        },
        Qt::QueuedConnection);
}

void View::setNeedsLayout(bool needs)
{
    m_needsLayout = needs;
    if (needs)
        scheduleLayout();
}

void View::layoutSubtreeIfNeeded()
{
    // Bounded passes: a layout may dirty its subviews (or itself) again.
    for (int pass = 0; pass < 4 && m_needsLayout; ++pass) {
        m_needsLayout = false;
        layout();
    }
    for (View *v : subviews())
        v->layoutSubtreeIfNeeded();
}

void View::layout() { resolveConstraints(); }

void View::addConstraint(const std::shared_ptr<LayoutConstraint> &c)
{
    if (!c || std::find(m_constraints.begin(), m_constraints.end(), c) != m_constraints.end())
        return;
    if (c->m_holder && c->m_holder != this)
        c->m_holder->removeConstraint(c);
    c->m_holder = this;
    m_constraints.push_back(c);
    setNeedsLayout();
    if (c->m_first == this && !c->m_second)
        if (View *s = superview())
            s->setNeedsLayout();
}

void View::removeConstraint(const std::shared_ptr<LayoutConstraint> &c)
{
    const auto it = std::find(m_constraints.begin(), m_constraints.end(), c);
    if (it == m_constraints.end())
        return;
    (*it)->m_holder = nullptr;
    m_constraints.erase(it);
    setNeedsLayout();
    if (c->m_first == this && !c->m_second)
        if (View *s = superview())
            s->setNeedsLayout();
}

void View::resolveConstraints()
{
    // Subviews' own width and height constraints count even when this view holds none of its own.
    const double W = m_bounds.width(), H = m_bounds.height();
    // Constraints are resolved for each subview in a y-down space of this view's bounds.
    auto valueOf = [&](const LayoutConstraint &c) -> std::optional<double> {
        if (!c.m_second)
            return c.m_constant;
        if (c.m_second != this)
            return std::nullopt; // only relations with this view are resolved here
        double base = 0;
        switch (c.m_secondAttribute) {
        case LayoutAttribute::leading:
        case LayoutAttribute::top:
            base = 0;
            break;
        case LayoutAttribute::trailing:
        case LayoutAttribute::width:
            base = W;
            break;
        case LayoutAttribute::bottom:
        case LayoutAttribute::height:
            base = H;
            break;
        case LayoutAttribute::centerX:
            base = W / 2;
            break;
        case LayoutAttribute::centerY:
            base = H / 2;
            break;
        }
        return c.m_multiplier * base + c.m_constant;
    };
    for (View *v : subviews()) {
        std::optional<double> lead, trail, cx, w, top, bottom, cy, h;
        for (const auto &c : m_constraints) {
            if (c->m_first != v)
                continue;
            const std::optional<double> val = valueOf(*c);
            if (!val)
                continue;
            switch (c->m_firstAttribute) {
            case LayoutAttribute::leading:
                lead = val;
                break;
            case LayoutAttribute::trailing:
                trail = val;
                break;
            case LayoutAttribute::centerX:
                cx = val;
                break;
            case LayoutAttribute::width:
                w = val;
                break;
            case LayoutAttribute::top:
                top = val;
                break;
            case LayoutAttribute::bottom:
                bottom = val;
                break;
            case LayoutAttribute::centerY:
                cy = val;
                break;
            case LayoutAttribute::height:
                h = val;
                break;
            }
        }
        // Fixed sizes held by the subview itself.
        for (const auto &c : v->m_constraints) {
            if (c->m_first != v || c->m_second)
                continue;
            if (c->m_firstAttribute == LayoutAttribute::width)
                w = c->m_constant;
            else if (c->m_firstAttribute == LayoutAttribute::height)
                h = c->m_constant;
        }
        if (!lead && !trail && !cx && !w && !top && !bottom && !cy && !h)
            continue;
        double width = w.value_or(v->m_frame.width());
        double x = v->m_frame.x() - m_bounds.x();
        if (lead && trail) {
            x = *lead;
            width = *trail - *lead;
        } else if (lead) {
            x = *lead;
        } else if (trail) {
            x = *trail - width;
        } else if (cx) {
            x = *cx - width / 2;
        }
        const Rect old = v->m_frame;
        double height = h.value_or(old.height());
        const double oldYDown = isFlipped() ? old.y() - m_bounds.y() : H - (old.y() - m_bounds.y()) - old.height();
        double yDown = oldYDown;
        if (top && bottom) {
            yDown = *top;
            height = *bottom - *top;
        } else if (top) {
            yDown = *top;
        } else if (bottom) {
            yDown = *bottom - height;
        } else if (cy) {
            yDown = *cy - height / 2;
        }
        width = std::max(0.0, width);
        height = std::max(0.0, height);
        const double y = isFlipped() ? yDown : H - yDown - height;
        v->setFrame(Rect(x + m_bounds.x(), y + m_bounds.y(), width, height));
    }
}

// ---- appearance

void View::setAppearance(std::optional<Appearance> appearance)
{
    if (m_appearance == appearance)
        return;
    m_appearance = appearance;
    propagateAppearance();
}

Appearance View::effectiveAppearance() const
{
    for (const View *v = this; v; v = v->superview())
        if (v->m_appearance)
            return *v->m_appearance;
    return SystemAppearance::instance().effective();
}

void View::viewDidChangeEffectiveAppearance() { }

void View::applicationAppearanceChanged()
{
    const std::vector<View *> views = allViews();
    for (View *v : views)
        if (!v->superview())
            v->propagateAppearance();
}

void View::propagateAppearance()
{
    const Appearance now = effectiveAppearance();
    if (m_lastAppearance != now) {
        m_lastAppearance = now;
        viewDidChangeEffectiveAppearance();
        setNeedsDisplay();
    }
    for (View *v : subviews())
        v->propagateAppearance();
}

// ---- layer

void View::setWantsLayer(bool wants)
{
    if (wants == wantsLayer())
        return;
    if (wants) {
        m_layer = Layer::create();
        Transaction::withoutActions([&] {
            m_layer->setBounds(m_bounds);
            m_layer->setFrame(m_frame);
        });
        m_layer->setHost(this);
    } else {
        m_layer->setHost(nullptr);
        m_layer.reset();
    }
    setNeedsDisplay();
}

void View::layerTreeChanged() { setNeedsDisplay(); }

void View::layerAnimationAdded()
{
    if (!m_animationTimer) {
        m_animationTimer = new QTimer(this);
        m_animationTimer->setInterval(16);
        connect(m_animationTimer, &QTimer::timeout, this, [this] {
            setNeedsDisplay();
            if (!m_layer || !m_layer->hasRunningAnimations())
                m_animationTimer->stop();
        });
    }
    if (!m_animationTimer->isActive())
        m_animationTimer->start();
}

QImage View::layerHostSnapshot(double scale) { return renderToImage(scale); }

// ---- mouse

MouseEvent View::makeEvent(const QPointF &widgetPos, const QPointF &, Qt::MouseButton button,
    Qt::KeyboardModifiers modifiers, int clicks) const
{
    MouseEvent e;
    e.location = fromWidget(widgetPos);
    e.locationInWindow = transformToWindow().map(e.location);
    e.button = button;
    e.modifiers = modifiers;
    e.clickCount = clicks;
    return e;
}

void View::mouseDown(const MouseEvent &) { m_unhandled = true; }

void View::mouseUp(const MouseEvent &) { m_unhandled = true; }

void View::mouseDragged(const MouseEvent &) { m_unhandled = true; }

void View::rightMouseDown(const MouseEvent &) { m_unhandled = true; }

void View::rightMouseUp(const MouseEvent &) { m_unhandled = true; }

void View::mouseMoved(const MouseEvent &) { }

View *View::dispatchMouseDown(const MouseEvent &event) { return dispatchMouse(event, &View::mouseDown); }

View *View::dispatchMouseUp(const MouseEvent &event) { return dispatchMouse(event, &View::mouseUp); }

View *View::dispatchMouse(const MouseEvent &event, void (View::*handler)(const MouseEvent &))
{
    QPointer<View> view(this);
    MouseEvent e = event;
    while (view) {
        view->m_unhandled = false;
        (view.data()->*handler)(e);
        if (!view)
            return nullptr;
        if (!view->m_unhandled)
            return view.data();
        View *next = view->superview();
        if (next)
            e.location = next->convertPoint(e.location, view.data());
        view = next;
    }
    return nullptr;
}

void View::mouseEntered(const MouseEvent &) { }

void View::scrollWheel(const ScrollWheelEvent &) { m_unhandled = true; }

View *View::dispatchScrollWheel(const ScrollWheelEvent &event)
{
    QPointer<View> view(this);
    ScrollWheelEvent e = event;
    while (view) {
        view->m_unhandled = false;
        view->scrollWheel(e);
        if (!view)
            return nullptr;
        if (!view->m_unhandled)
            return view.data();
        View *next = view->superview();
        if (next)
            e.location = next->convertPoint(e.location, view.data());
        view = next;
    }
    return nullptr;
}

void View::wheelEvent(QWheelEvent *event)
{
    ScrollWheelEvent e;
    e.location = fromWidget(event->position());
    e.modifiers = event->modifiers();
    if (!event->pixelDelta().isNull()) {
        e.hasPreciseScrollingDeltas = true;
        e.deltaX = event->pixelDelta().x();
        e.deltaY = event->pixelDelta().y();
    } else {
        // One notch (120 eighths of a degree) scrolls three lines of about ten points.
        e.deltaX = event->angleDelta().x() / 4.0;
        e.deltaY = event->angleDelta().y() / 4.0;
    }
    // The views above this one get the scroll through `dispatchScrollWheel`, not through Qt.
    dispatchScrollWheel(e);
    event->accept();
}

bool View::mouseDownCanMoveWindow() const { return false; }

bool View::clipsSubviews() const { return false; }

void View::performWindowDrag()
{
    emit windowDragRequested();
    if (QWidget *top = window(); top && top->windowHandle() && top->isVisible())
        top->windowHandle()->startSystemMove();
}

ScrollView *View::enclosingScrollView() const
{
    for (View *v = superview(); v; v = v->superview())
        if (auto *scroll = qobject_cast<ScrollView *>(v))
            return scroll;
    return nullptr;
}

void View::mouseExited(const MouseEvent &) { }

void View::mousePressEvent(QMouseEvent *event)
{
    m_unhandled = false;
    const MouseEvent e = makeEvent(event->position(), event->globalPosition(), event->button(), event->modifiers(), 1);
    if (event->button() == Qt::RightButton)
        rightMouseDown(e);
    else
        mouseDown(e);
    event->setAccepted(!m_unhandled);
}

void View::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_unhandled = false;
    const MouseEvent e = makeEvent(event->position(), event->globalPosition(), event->button(), event->modifiers(), 2);
    if (event->button() == Qt::RightButton)
        rightMouseDown(e);
    else
        mouseDown(e);
    event->setAccepted(!m_unhandled);
}

void View::mouseReleaseEvent(QMouseEvent *event)
{
    m_unhandled = false;
    const MouseEvent e = makeEvent(event->position(), event->globalPosition(), event->button(), event->modifiers(), 1);
    if (event->button() == Qt::RightButton)
        rightMouseUp(e);
    else
        mouseUp(e);
    event->setAccepted(!m_unhandled);
}

void View::mouseMoveEvent(QMouseEvent *event)
{
    const MouseEvent e = makeEvent(event->position(), event->globalPosition(), Qt::NoButton, event->modifiers(), 0);
    trackMouse(e, false);
    if (event->buttons() != Qt::NoButton) {
        m_unhandled = false;
        MouseEvent drag = e;
        drag.button = (event->buttons() & Qt::LeftButton) ? Qt::LeftButton : Qt::RightButton;
        mouseDragged(drag);
        event->setAccepted(!m_unhandled);
        return;
    }
    // Moves pass on, so that the superviews' tracking areas follow the pointer too.
    event->ignore();
}

void View::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    trackMouse(makeEvent(event->position(), event->globalPosition(), Qt::NoButton, event->modifiers(), 0), false);
}

void View::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    MouseEvent e;
    const QPointF p = mapFromGlobal(QCursor::pos());
    e.location = fromWidget(p);
    e.locationInWindow = transformToWindow().map(e.location);
    trackMouse(e, true);
}

void View::trackMouse(const MouseEvent &event, bool left)
{
    const auto areas = m_trackingAreas; // handlers may change the list
    for (const auto &area : areas) {
        const Rect r = (area->m_options & TrackingArea::inVisibleRect) ? m_bounds : area->m_rect;
        const bool inside = !left && r.contains(event.location);
        View *owner = area->m_owner ? area->m_owner.data() : this;
        MouseEvent e = event;
        e.trackingArea = area.get();
        e.location = owner == this ? event.location : owner->convertPoint(event.location, this);
        if (inside && !area->m_inside) {
            area->m_inside = true;
            if (area->m_options & TrackingArea::mouseEnteredAndExited)
                owner->mouseEntered(e);
        } else if (!inside && area->m_inside) {
            area->m_inside = false;
            if (area->m_options & TrackingArea::mouseEnteredAndExited)
                owner->mouseExited(e);
        }
        if (inside && (area->m_options & TrackingArea::mouseMoved))
            owner->mouseMoved(e);
    }
    if (left) {
        m_pointer.reset();
        return;
    }
    m_pointer = event.location;
    updateCursor(event.location);
}

void View::updateCursor(Point location)
{
    if (!m_cursorRectsValid) {
        m_cursorRects.clear();
        resetCursorRects();
        m_cursorRectsValid = true;
    }
    for (auto it = m_cursorRects.rbegin(); it != m_cursorRects.rend(); ++it) {
        if (it->first.contains(location)) {
            setCursor(it->second);
            return;
        }
    }
    if (!m_cursorRects.empty())
        unsetCursor();
}

void View::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Cursor rectangles may depend on the enabled state, and a disabled widget gets no mouse moves
    // that would rebuild them: rebuild them now for a pointer that rests on the view.
    if (event->type() == QEvent::EnabledChange) {
        m_cursorRectsValid = false;
        if (m_pointer)
            updateCursor(*m_pointer);
    }
}

void View::addTrackingArea(const std::shared_ptr<TrackingArea> &area)
{
    if (!area || std::find(m_trackingAreas.begin(), m_trackingAreas.end(), area) != m_trackingAreas.end())
        return;
    m_trackingAreas.push_back(area);
    setMouseTracking(true);
}

void View::removeTrackingArea(const std::shared_ptr<TrackingArea> &area)
{
    m_trackingAreas.erase(std::remove(m_trackingAreas.begin(), m_trackingAreas.end(), area), m_trackingAreas.end());
}

void View::updateTrackingAreas() { }

void View::addCursorRect(const Rect &rect, Qt::CursorShape cursor)
{
    m_cursorRects.emplace_back(rect, cursor);
    setMouseTracking(true);
}

void View::discardCursorRects() { m_cursorRects.clear(); }

void View::resetCursorRects() { }

} // namespace platform::ui
