#pragma once

#include "platform/ui/affinetransform.h"
#include "platform/ui/color.h"
#include "platform/ui/geometry.h"
#include "platform/ui/image.h"
#include "platform/ui/layervalue.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace platform::ui {

class Animation;
class GraphicsContext;
class Layer;

/// Told when something in a layer tree changes; a view implements it for its root layer.
class LayerHost {
public:
    virtual ~LayerHost();
    /// Something that shows changed: repaint.
    virtual void layerTreeChanged() = 0;
    /// An animation was added somewhere in the tree: keep repainting while it runs.
    virtual void layerAnimationAdded() = 0;
    /// A picture of what the host shows now (for transitions on its root layer).
    virtual QImage layerHostSnapshot(double scale) = 0;
};

/// Where a layer's `contents` image goes within its bounds ("top" is the maximum y).
enum class ContentsGravity {
    center,
    top,
    bottom,
    left,
    right,
    topLeft,
    topRight,
    bottomLeft,
    bottomRight,
    resize,
    resizeAspect,
    resizeAspectFill
};

/// A node of a retained drawing tree, in y-up points.
///
/// Geometry: `bounds` is the layer's own coordinate space; `position` is where its `anchorPoint`
/// (in unit coordinates of the bounds, default the centre) sits in the superlayer; `transform`
/// turns it about that point. `frame` is derived from them. Drawing order within a layer: shadow,
/// background, `contents`, the subclass's own drawing (`drawInContext`), sublayers in order (the
/// last added on top), border; `masksToBounds` clips everything but the shadow to the (rounded)
/// bounds, `mask` masks everything by the mask layer's alpha, `opacity` applies to the whole group.
///
/// Changing an animatable property of a layer that has a superlayer and has been shown starts an
/// implicit animation from the value on screen to the new one (see Transaction), unless actions are
/// disabled. Explicit animations are added with `addAnimation`. The model values (the getters) always
/// give what was last set; `presentationValue` and `presentationLayer` give what is shown now.
///
/// Layers are shared (`std::shared_ptr`); a superlayer owns its sublayers, a sublayer knows its
/// superlayer without owning it. Main thread only.
class Layer : public std::enable_shared_from_this<Layer> {
public:
    Layer();
    virtual ~Layer();
    Layer(const Layer &) = delete;
    Layer &operator=(const Layer &) = delete;

    static std::shared_ptr<Layer> create() { return std::make_shared<Layer>(); }

    // Geometry
    Rect bounds() const { return m_bounds; }
    void setBounds(const Rect &r);
    Point position() const { return m_position; }
    void setPosition(Point p);
    Point anchorPoint() const { return m_anchorPoint; }
    void setAnchorPoint(Point p);
    AffineTransform transform() const { return m_transform; }
    void setTransform(const AffineTransform &t);
    /// The bounds as placed in the superlayer (the bounding box when transformed).
    Rect frame() const;
    /// Sets position and bounds size so that the untransformed layer covers `r`.
    void setFrame(const Rect &r);

    // Looks
    std::optional<Color> backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(std::optional<Color> c);
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double r);
    double borderWidth() const { return m_borderWidth; }
    void setBorderWidth(double w);
    std::optional<Color> borderColor() const { return m_borderColor; }
    void setBorderColor(std::optional<Color> c);
    double opacity() const { return m_opacity; }
    void setOpacity(double o);
    bool isHidden() const { return m_hidden; }
    void setHidden(bool hidden);
    bool masksToBounds() const { return m_masksToBounds; }
    void setMasksToBounds(bool on);
    std::shared_ptr<Layer> mask() const { return m_mask; }
    void setMask(std::shared_ptr<Layer> mask);
    double contentsScale() const { return m_contentsScale; }
    void setContentsScale(double s);
    std::optional<Image> contents() const { return m_contents; }
    void setContents(std::optional<Image> image);
    ContentsGravity contentsGravity() const { return m_contentsGravity; }
    void setContentsGravity(ContentsGravity g);
    std::optional<Color> shadowColor() const { return m_shadowColor; }
    void setShadowColor(std::optional<Color> c);
    double shadowOpacity() const { return m_shadowOpacity; }
    void setShadowOpacity(double o);
    double shadowRadius() const { return m_shadowRadius; }
    void setShadowRadius(double r);
    Size shadowOffset() const { return m_shadowOffset; }
    void setShadowOffset(Size s);
    QString name() const { return m_name; }
    void setName(const QString &n) { m_name = n; }

    // Tree
    Layer *superlayer() const { return m_superlayer; }
    const std::vector<std::shared_ptr<Layer>> &sublayers() const { return m_sublayers; }
    /// Adds on top; a layer that has a superlayer leaves it first.
    void addSublayer(const std::shared_ptr<Layer> &layer);
    void insertSublayer(const std::shared_ptr<Layer> &layer, size_t index);
    void insertSublayerBelow(const std::shared_ptr<Layer> &layer, const Layer *sibling);
    void insertSublayerAbove(const std::shared_ptr<Layer> &layer, const Layer *sibling);
    void replaceSublayer(const Layer *old, const std::shared_ptr<Layer> &replacement);
    void setSublayers(const std::vector<std::shared_ptr<Layer>> &layers);
    void removeFromSuperlayer();
    /// The topmost layer of this tree.
    const Layer *rootLayer() const;

    // Drawing
    /// The subclass's own content, drawn in its bounds' space above background and contents.
    virtual void drawInContext(GraphicsContext &context) const;
    /// Asks for a repaint of the tree's host.
    void setNeedsDisplay();
    /// Draws the layer and its sublayers as they are shown now, in the layer's own coordinate space.
    void renderInContext(GraphicsContext &context) const;
    /// Draws the layer as a sublayer would be drawn: placed by its position, anchor and transform
    /// within the context's current space (its superlayer's).
    void renderPlaced(GraphicsContext &context) const;
    /// Like renderInContext, with `content` drawn above the background and own content and below the
    /// sublayers (a view's drawing goes there).
    void renderInContext(GraphicsContext &context, const std::function<void(GraphicsContext &)> &content) const;
    /// Whether a point (in the layer's coordinates) is in its bounds.
    bool containsPoint(Point p) const { return m_bounds.contains(p); }

    // Animation
    /// Adds a copy of `animation` under `key` (replacing one under the same key; an empty key gets a
    /// fresh one).
    void addAnimation(const Animation &animation, const QString &key = {});
    void removeAnimation(const QString &key);
    void removeAllAnimations();
    /// The animation under `key` that is still attached (finished ones that are removed on
    /// completion no longer are).
    const Animation *animation(const QString &key) const;
    QStringList animationKeys() const;
    /// Whether this layer or one below it has an animation that is still running or holding a value.
    bool hasAnimations(bool includeSublayers = true) const;
    /// Whether some animation in the tree will still change what is shown.
    bool hasRunningAnimations() const;

    // Key-value access for animations
    /// The model value of an animatable property, or empty for an unknown key.
    virtual std::optional<LayerValue> valueForKey(const QString &keyPath) const;
    /// Sets a model property by key without implicit animation; false for an unknown key.
    virtual bool setValueForKey(const QString &keyPath, const LayerValue &value);
    /// The value shown now: the model value with this layer's animations applied.
    std::optional<LayerValue> presentationValue(const QString &keyPath) const;
    /// A copy of this layer's properties (without sublayers, mask or animations) holding the values
    /// shown now.
    std::shared_ptr<Layer> presentationLayer() const;

    /// Tells the layer who is told about changes of its tree (views set it on their root layer).
    void setHost(LayerHost *host) { m_host = host; }
    LayerHost *host() const { return m_host; }

protected:
    /// For presentation copies: copies every property, none of the tree.
    Layer(const Layer &other, int copyTag);
    /// Makes a presentation copy of the same class (subclasses override).
    virtual std::shared_ptr<Layer> makeCopy() const;

    /// Subclasses call this around a change of an animatable property: it returns the value to
    /// animate from when an implicit animation applies.
    std::optional<LayerValue> actionFrom(const QString &key) const;
    /// Starts the implicit animation for `key` when `from` is set, and reports the change.
    void didChange(const QString &key, const std::optional<LayerValue> &from);
    /// Reports a change that does not animate.
    void changed();
    /// Sets an animatable member: nothing when unchanged, else the change with its implicit action.
    template <typename T> void setAnimated(const QString &key, T &member, const T &value)
    {
        if (member == value)
            return;
        const auto from = actionFrom(key);
        member = value;
        didChange(key, from);
    }

private:
    struct Attached {
        std::shared_ptr<const Animation> animation;
        long long start = 0; // clock milliseconds
        std::optional<LayerValue> capturedFrom; // a basic animation's start when it has no from value
        QImage snapshot; // a transition's picture of what was shown before
        double snapshotScale = 1;
    };

    void renderBody(GraphicsContext &context, const std::function<void(GraphicsContext &)> *content,
        const Layer *presentation) const;
    void pruneFinished() const;
    void detach(Layer *child);
    LayerHost *treeHost() const;
    QImage snapshot(double scale) const;
    void applyAnimations(Layer &target, long long now) const;
    const Attached *activeTransition(long long now, double *progress) const;

    Rect m_bounds;
    Point m_position;
    Point m_anchorPoint { 0.5, 0.5 };
    AffineTransform m_transform;
    std::optional<Color> m_backgroundColor;
    double m_cornerRadius = 0;
    double m_borderWidth = 0;
    std::optional<Color> m_borderColor = Color::black();
    double m_opacity = 1;
    bool m_hidden = false;
    bool m_masksToBounds = false;
    std::shared_ptr<Layer> m_mask;
    double m_contentsScale = 1;
    std::optional<Image> m_contents;
    ContentsGravity m_contentsGravity = ContentsGravity::resize;
    std::optional<Color> m_shadowColor = Color::black();
    double m_shadowOpacity = 0;
    double m_shadowRadius = 3;
    Size m_shadowOffset { 0, -3 };
    QString m_name;

    Layer *m_superlayer = nullptr;
    Layer *m_maskOwner = nullptr;
    std::vector<std::shared_ptr<Layer>> m_sublayers;
    LayerHost *m_host = nullptr;
    mutable std::vector<std::pair<QString, Attached>> m_animations;
    mutable bool m_shown = false;
    int m_keyCounter = 0;
};

} // namespace platform::ui
