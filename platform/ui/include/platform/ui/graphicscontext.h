#pragma once

#include "platform/ui/affinetransform.h"
#include "platform/ui/color.h"
#include "platform/ui/geometry.h"
#include "platform/ui/gradient.h"
#include "platform/ui/path.h"
#include "platform/ui/strokestyle.h"
#include "platform/ui/textattributes.h"

#include <QImage>
#include <QString>

#include <optional>
#include <vector>

class QWidget;

namespace platform::ui {

class Image;

/// How drawn pixels combine with those already there (Porter-Duff operators).
enum class CompositeOperation {
    sourceOver,
    copy,
    clear,
    sourceIn,
    sourceOut,
    sourceAtop,
    destinationOver,
    destinationIn,
    destinationOut,
    destinationAtop,
    xorOperation,
    plusLighter,
    multiply
};

enum class ImageInterpolation { defaultQuality, none, low, medium, high };

/// A shadow cast by what is drawn: `offset` in points (y up), blur radius in points.
struct Shadow {
    Size offset;
    double blurRadius = 0;
    Color color = Color::black();

    friend bool operator==(const Shadow &, const Shadow &) = default;
};

/// A surface to draw on in y-up points.
///
/// The context keeps a state (transform, alpha, compositing, colours, clip) that `save` and
/// `restore` push and pop. Drawing calls take their colours explicitly; `fillColor` and
/// `strokeColor` serve path objects that fill and stroke themselves. Texts and images are always
/// drawn upright on the device, also where the y axis points down.
///
/// Transparency layers group drawing: what is drawn between `beginTransparencyLayer` and the
/// matching `endTransparencyLayer` is composed as one picture, with the given opacity and shadow;
/// drawing after `beginMaskContent` (inside such a group) is not shown but masks the group by its alpha.
///
/// Implementations: PainterContext (onto a QPainter) and RecordingContext (keeps the calls).
class GraphicsContext {
public:
    virtual ~GraphicsContext();

    void save();
    void restore();

    void translate(double dx, double dy);
    void scale(double sx, double sy);
    void rotate(double radians);
    void concat(const AffineTransform &t);
    /// Maps this context's current user space to its base space (y-up points of the surface).
    AffineTransform transform() const { return m_state.transform; }
    /// Replaces the transform (relative to the base space).
    void setTransform(const AffineTransform &t);

    void clipToRect(const Rect &r);
    void clipToPath(const Path &p, FillRule rule = FillRule::nonZero);

    void setAlpha(double alpha);
    double alpha() const { return m_state.alpha; }
    void setCompositeOperation(CompositeOperation op);
    CompositeOperation compositeOperation() const { return m_state.operation; }
    void setImageInterpolation(ImageInterpolation q) { m_state.interpolation = q; }
    ImageInterpolation imageInterpolation() const { return m_state.interpolation; }
    void setShouldAntialias(bool on) { m_state.antialias = on; }
    bool shouldAntialias() const { return m_state.antialias; }
    void setFillColor(const Color &c) { m_state.fillColor = c; }
    Color fillColor() const { return m_state.fillColor; }
    void setStrokeColor(const Color &c) { m_state.strokeColor = c; }
    Color strokeColor() const { return m_state.strokeColor; }

    virtual void fillRect(const Rect &r, const Color &color);
    virtual void fillRoundedRect(const Rect &r, double radiusX, double radiusY, const Color &color);
    virtual void fillPath(const Path &path, const Color &color, FillRule rule = FillRule::nonZero) = 0;
    virtual void strokePath(const Path &path, const StrokeStyle &style) = 0;
    void strokeRect(const Rect &r, const StrokeStyle &style);
    /// Makes the rectangle fully transparent.
    virtual void clearRect(const Rect &r) = 0;
    /// Fills the current clip with a gradient running from `start` to `end`.
    virtual void drawLinearGradient(const Gradient &gradient, Point start, Point end, GradientExtent extent = {}) = 0;
    /// Fills the current clip with a gradient between two circles.
    virtual void drawRadialGradient(const Gradient &gradient, Point startCenter, double startRadius, Point endCenter,
        double endRadius, GradientExtent extent = {})
        = 0;
    /// Draws the text upright in `rect`, from its top.
    virtual void drawText(const QString &text, const Rect &rect, const TextAttributes &attributes) = 0;
    /// Draws (the part `source` of, in the image's points) the image upright into `destination`.
    virtual void drawImage(const Image &image, const Rect &destination,
        const std::optional<Rect> &source = std::nullopt, CompositeOperation op = CompositeOperation::sourceOver,
        double fraction = 1.0);
    /// Draws a widget (one that is not a view) into `rect`.
    virtual void drawWidget(QWidget *widget, const Rect &rect) = 0;

    virtual void beginTransparencyLayer(double opacity = 1.0, const std::optional<Shadow> &shadow = std::nullopt) = 0;
    virtual void beginMaskContent() = 0;
    virtual void endTransparencyLayer() = 0;

    /// Device pixels per point of the surface (before the current transform).
    virtual double backingScale() const = 0;

    /// The context that drawing code without an explicit one draws into, or none.
    static GraphicsContext *current();

protected:
    struct State {
        AffineTransform transform;
        double alpha = 1;
        CompositeOperation operation = CompositeOperation::sourceOver;
        ImageInterpolation interpolation = ImageInterpolation::defaultQuality;
        bool antialias = true;
        Color fillColor = Color::black();
        Color strokeColor = Color::black();
    };
    const State &state() const { return m_state; }
    /// Called after the base state was pushed or popped; implementations keep their clip in step.
    virtual void onSave() = 0;
    virtual void onRestore() = 0;
    virtual void onClip(const Path &path, FillRule rule) = 0;
    /// Draws a bitmap (its device-pixel ratio gives its size in points) upright into `destination`.
    virtual void drawBitmap(const QImage &bitmap, const Rect &destination, CompositeOperation op, double fraction) = 0;
    /// Groups push the state too; inside a group alpha and compositing start afresh.
    void pushGroupState();
    void popGroupState();

private:
    State m_state;
    std::vector<State> m_stack;
};

/// Makes `context` the current one until destroyed (scopes nest).
class ScopedCurrentContext {
public:
    explicit ScopedCurrentContext(GraphicsContext &context);
    ~ScopedCurrentContext();
    ScopedCurrentContext(const ScopedCurrentContext &) = delete;
    ScopedCurrentContext &operator=(const ScopedCurrentContext &) = delete;

private:
    GraphicsContext *m_previous;
};

} // namespace platform::ui
