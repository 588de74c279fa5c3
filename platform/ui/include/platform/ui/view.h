#pragma once

#include "platform/ui/appearance.h"
#include "platform/ui/geometry.h"
#include "platform/ui/layer.h"
#include "platform/ui/layoutconstraint.h"
#include "platform/ui/mouseevent.h"
#include "platform/ui/trackingarea.h"

#include <QImage>
#include <QList>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

namespace platform::ui {

class GraphicsContext;
class ScrollView;

/// A rectangle of the interface that draws itself and takes mouse events, with its geometry in y-up
/// points: `frame` places it in its superview's coordinates (origin bottom left, y up, unless the
/// superview `isFlipped`), `bounds` is its own coordinate space (usually origin zero, the frame's
/// size). It is a QWidget: the view maps its frame to the widget's geometry (rounded outward to
/// whole pixels) and keeps it in step when the superview changes height.
///
/// Drawing: `drawRect` receives a GraphicsContext in the view's own coordinates (clipped to its
/// bounds), with `Appearance::current()` the view's effective appearance. With `wantsLayer` the
/// view has a root layer: its background and border frame the drawing and its sublayers lie above
/// the drawing; subviews are drawn above all of the view's own layers. The topmost view of a tree
/// (one without a view as parent widget) paints the whole tree, on screen and in `render`, so a
/// view's picture is the same everywhere, shadows and masks included.
///
/// Layout: `layout` runs from `layoutSubtreeIfNeeded` (called before every paint and render) when
/// `needsLayout` is set: at first, after a size change and on request. It is the place for rebuild
/// hooks; constructors must not call virtual functions, so a subclass's set-up that depends on
/// overrides belongs in `layout` (or an appearance change, or a property setter).
///
/// Appearance: `effectiveAppearance` is the view's own `appearance`, else its superview's, else the
/// application's. When it changes, `viewDidChangeEffectiveAppearance` runs and the view redraws.
///
/// Mouse: `mouseDown`, `mouseUp`, `mouseDragged`, `rightMouseDown` and `rightMouseUp` pass the
/// event on to the superview unless overridden. `mouseEntered`, `mouseExited` and `mouseMoved` come
/// from tracking areas. Main thread only.
class View : public QWidget, public LayerHost {
    Q_OBJECT
public:
    explicit View(const Rect &frame = Rect(), QWidget *parent = nullptr);
    ~View() override;

    // Geometry
    Rect frame() const { return m_frame; }
    void setFrame(const Rect &frame);
    void setFrameOrigin(Point origin);
    void setFrameSize(Size size);
    Rect bounds() const { return m_bounds; }
    /// Sets the bounds; a new size also becomes the frame's size.
    void setBounds(const Rect &bounds);
    void setBoundsOrigin(Point origin);
    /// Whether the view's coordinates run downward from its top-left corner.
    virtual bool isFlipped() const;
    /// Converts from the coordinates of `view` (none: the window's, y up from its bottom left).
    Point convertPoint(Point p, const View *from) const;
    /// Converts to the coordinates of `view` (none: the window's).
    Point convertPointTo(Point p, const View *to) const;
    Rect convertRect(const Rect &r, const View *from) const;

    // Hierarchy
    View *superview() const;
    /// The subviews in drawing order (the last is on top).
    QList<View *> subviews() const;
    /// Adds on top; the subview leaves its old superview. The superview owns it.
    void addSubview(View *view);
    enum class Ordering { above, below };
    void addSubview(View *view, Ordering ordering, View *relativeTo);
    /// Leaves the superview; the caller owns the view afterwards.
    void removeFromSuperview();
    bool isDescendantOf(const View *view) const;
    /// The deepest visible view at `p` (in the superview's coordinates), or none.
    View *hitTest(Point p);

    // Visibility
    /// The view's own hidden flag (a view whose superview is hidden is not shown either).
    bool isHidden() const { return m_hidden; }
    void setHidden(bool hidden);
    bool isHiddenOrHasHiddenAncestor() const;

    // Display
    bool needsDisplay() const { return m_needsDisplay; }
    void setNeedsDisplay(bool needs = true);
    /// Draws the view's own content; the default draws nothing.
    virtual void drawRect(GraphicsContext &context, const Rect &dirtyRect);

    // Layout
    bool needsLayout() const { return m_needsLayout; }
    void setNeedsLayout(bool needs = true);
    /// Runs `layout` where needed, superviews before subviews.
    void layoutSubtreeIfNeeded();
    /// Positions the subviews; the default resolves the layout constraints held by this view.
    virtual void layout();
    bool translatesAutoresizingMaskIntoConstraints() const { return m_translatesAutoresizing; }
    void setTranslatesAutoresizingMaskIntoConstraints(bool on) { m_translatesAutoresizing = on; }
    /// The active constraints this view resolves.
    const std::vector<std::shared_ptr<LayoutConstraint>> &constraints() const { return m_constraints; }
    void addConstraint(const std::shared_ptr<LayoutConstraint> &c);
    void removeConstraint(const std::shared_ptr<LayoutConstraint> &c);
    LayoutAnchor leadingAnchor() { return { this, LayoutAttribute::leading }; }
    LayoutAnchor trailingAnchor() { return { this, LayoutAttribute::trailing }; }
    LayoutAnchor topAnchor() { return { this, LayoutAttribute::top }; }
    LayoutAnchor bottomAnchor() { return { this, LayoutAttribute::bottom }; }
    LayoutAnchor widthAnchor() { return { this, LayoutAttribute::width }; }
    LayoutAnchor heightAnchor() { return { this, LayoutAttribute::height }; }
    LayoutAnchor centerXAnchor() { return { this, LayoutAttribute::centerX }; }
    LayoutAnchor centerYAnchor() { return { this, LayoutAttribute::centerY }; }

    // Appearance
    std::optional<Appearance> appearance() const { return m_appearance; }
    void setAppearance(std::optional<Appearance> appearance);
    Appearance effectiveAppearance() const;
    virtual void viewDidChangeEffectiveAppearance();

    // Layer
    bool wantsLayer() const { return static_cast<bool>(m_layer); }
    /// Gives the view a root layer (kept the size of the bounds) or takes it away.
    void setWantsLayer(bool wants);
    /// The root layer, or none without `wantsLayer`.
    std::shared_ptr<Layer> layer() const { return m_layer; }

    // Mouse
    virtual void mouseDown(const MouseEvent &event);
    virtual void mouseUp(const MouseEvent &event);
    virtual void mouseDragged(const MouseEvent &event);
    virtual void rightMouseDown(const MouseEvent &event);
    virtual void rightMouseUp(const MouseEvent &event);
    virtual void mouseMoved(const MouseEvent &event);
    virtual void mouseEntered(const MouseEvent &event);
    virtual void mouseExited(const MouseEvent &event);
    /// Scrolling passes on to the superview unless overridden (a scroll view scrolls).
    virtual void scrollWheel(const ScrollWheelEvent &event);
    /// Hands a scroll to the view, then, while unhandled, to each superview in turn. Answers the view
    /// that took it, or none.
    View *dispatchScrollWheel(const ScrollWheelEvent &event);
    /// Whether a press on the view may drag its window (the window moves instead of the view
    /// tracking the press). Default false.
    virtual bool mouseDownCanMoveWindow() const;
    /// Starts moving the top-level window with the pointer, as a press on a title bar does.
    void performWindowDrag();
    /// Hands a mouse-down (up) to the view as a click on screen does: to this view, then, while the
    /// handler leaves it unhandled (as the default handlers do), to each superview in turn, with the
    /// location converted. Answers the view that took it, or none.
    View *dispatchMouseDown(const MouseEvent &event);
    View *dispatchMouseUp(const MouseEvent &event);
    void addTrackingArea(const std::shared_ptr<TrackingArea> &area);
    void removeTrackingArea(const std::shared_ptr<TrackingArea> &area);
    const std::vector<std::shared_ptr<TrackingArea>> &trackingAreas() const { return m_trackingAreas; }
    /// Called after the view's size changed, to rebuild tracking areas; the default does nothing.
    virtual void updateTrackingAreas();
    /// Shows `cursor` while the pointer is over `rect`; rects are rebuilt by `resetCursorRects`.
    void addCursorRect(const Rect &rect, Qt::CursorShape cursor);
    void discardCursorRects();
    virtual void resetCursorRects();

    /// The nearest scroll view above this view, or none.
    ScrollView *enclosingScrollView() const;

    // Moving between superviews
    virtual void viewWillMoveToSuperview(View *newSuperview);
    virtual void viewDidMoveToSuperview();

    /// Whether subviews are cut off at the bounds when drawn (a scroll view's clip view); default
    /// false, so shadows and other drawing may reach past a view's edge.
    virtual bool clipsSubviews() const;

    // Rendering
    /// Draws the view and its subviews into `context`, in the view's bounds coordinates (after
    /// laying out what needs it). Widgets that are not views are drawn too.
    void render(GraphicsContext &context);
    /// Renders into a transparent image of `size` points at `scale` device pixels per point (its
    /// device-pixel ratio); the bounds' origin lands on the image's bottom-left corner. Works offscreen.
    QImage renderToImage(Size size, double scale = 1.0);
    /// Renders at the view's own size.
    QImage renderToImage(double scale = 1.0) { return renderToImage(m_bounds.size, scale); }

    // LayerHost
    void layerTreeChanged() override;
    void layerAnimationAdded() override;
    QImage layerHostSnapshot(double scale) override;

signals:
    /// The view or something below it asked to be redrawn (for hosts that show a rendered picture).
    void displayRequested();
    /// `performWindowDrag` ran (whether or not a window system could move a window).
    void windowDragRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    static void applicationAppearanceChanged();
    void applyGeometry();
    void applyChildGeometry();
    void sizeChanged(Size oldSize);
    void renderTree(GraphicsContext &context, bool offscreen);
    void renderSubviews(GraphicsContext &context, bool offscreen);
    void propagateAppearance();
    void scheduleLayout();
    void resolveConstraints();
    MouseEvent makeEvent(const QPointF &widgetPos, const QPointF &globalPos, Qt::MouseButton button,
        Qt::KeyboardModifiers modifiers, int clicks) const;
    View *dispatchMouse(const MouseEvent &event, void (View::*handler)(const MouseEvent &));
    Point fromWidget(const QPointF &p) const;
    QPointF toWidget(Point p) const;
    void trackMouse(const MouseEvent &event, bool left);
    void updateCursor(Point location);
    bool isPaintingRoot() const;
    AffineTransform transformToSuperview() const;
    AffineTransform transformToWindow() const;

    Rect m_frame;
    Rect m_bounds;
    bool m_hidden = false;
    bool m_needsDisplay = true;
    bool m_needsLayout = true;
    bool m_layoutScheduled = false;
    bool m_translatesAutoresizing = true;
    bool m_unhandled = false;
    QRect m_appliedGeometry;
    std::optional<Appearance> m_appearance;
    std::optional<Appearance> m_lastAppearance;
    std::shared_ptr<Layer> m_layer;
    std::vector<std::shared_ptr<LayoutConstraint>> m_constraints;
    std::vector<std::shared_ptr<TrackingArea>> m_trackingAreas;
    std::vector<std::pair<Rect, Qt::CursorShape>> m_cursorRects;
    bool m_cursorRectsValid = false;
    /// Where the pointer was last seen over the view (bounds coordinates); none once it left.
    std::optional<Point> m_pointer;
    QTimer *m_animationTimer = nullptr;
};

} // namespace platform::ui
