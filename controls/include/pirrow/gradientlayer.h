#pragma once

#include <platform/ui/animation.h>
#include <platform/ui/color.h>
#include <platform/ui/gradientlayer.h>
#include <platform/ui/path.h>
#include <platform/ui/shapelayer.h>

#include <memory>
#include <optional>
#include <vector>

namespace pirrow {

using platform::ui::Color;

/// One path drawn with a linear colour gradient: a gradient layer masked by a shape layer that
/// carries the path and the line settings. The mask's colours only give coverage (their alpha); the
/// visible colours are `colors`. Every property assignment re-applies both layers and puts the
/// gradient layer on top of the parent's sublayers, so the one updated last is drawn above its
/// siblings. Not a layer itself; the owner detaches it (`removeFromSuperlayer`) before letting go.
/// Main thread only.
class GradientLayer {
public:
    /// Creation does not touch `parent`: nothing shows until the first update. A single colour is
    /// kept twice so that the gradient always has two stops.
    GradientLayer(
        std::shared_ptr<platform::ui::Layer> parent, std::vector<Color> colors, const platform::ui::Rect &frame);
    virtual ~GradientLayer();
    GradientLayer(const GradientLayer &) = delete;
    GradientLayer &operator=(const GradientLayer &) = delete;

    const std::shared_ptr<platform::ui::ShapeLayer> &maskingLayer() const { return m_maskingLayer; }
    const std::shared_ptr<platform::ui::GradientLayer> &gradientLayer() const { return m_gradientLayer; }
    const std::shared_ptr<platform::ui::Layer> &parentLayer() const { return m_parentLayer; }

    virtual platform::ui::Point startPoint() const { return m_startPoint; }
    virtual void setStartPoint(platform::ui::Point p);
    virtual platform::ui::Point endPoint() const { return m_endPoint; }
    virtual void setEndPoint(platform::ui::Point p);
    virtual double lineWidth() const { return m_lineWidth; }
    virtual void setLineWidth(double w);
    virtual Color strokeColor() const { return m_strokeColor; }
    virtual void setStrokeColor(const Color &c);
    virtual std::optional<Color> fillColor() const { return m_fillColor; }
    virtual void setFillColor(std::optional<Color> c);
    virtual platform::ui::Rect bounds() const { return m_bounds; }
    virtual void setBounds(const platform::ui::Rect &r);
    virtual const std::vector<Color> &colors() const { return m_colors; }
    virtual void setColors(std::vector<Color> colors);
    virtual platform::ui::LineCap lineCap() const { return m_lineCap; }
    virtual void setLineCap(platform::ui::LineCap c);
    virtual platform::ui::LineJoin lineJoin() const { return m_lineJoin; }
    virtual void setLineJoin(platform::ui::LineJoin j);
    virtual const std::optional<platform::ui::Path> &path() const { return m_path; }
    virtual void setPath(std::optional<platform::ui::Path> p);
    virtual double lineDashPhase() const { return m_lineDashPhase; }
    virtual void setLineDashPhase(double phase);
    virtual const std::optional<std::vector<double>> &lineDashPattern() const { return m_lineDashPattern; }
    virtual void setLineDashPattern(std::optional<std::vector<double>> pattern);

    /// Re-applies the layers.
    virtual void draw();
    /// Adds the animation to the mask, so that a "path" animation changes the visible shape.
    virtual void addAnimation(const platform::ui::Animation &animation, const QString &key);
    /// Takes the gradient layer out of its superlayer until the next update.
    virtual void removeFromSuperlayer();
    /// Applies every property to both layers and attaches the gradient layer on top of the parent.
    virtual void update();

private:
    std::shared_ptr<platform::ui::ShapeLayer> m_maskingLayer = platform::ui::ShapeLayer::create();
    std::shared_ptr<platform::ui::GradientLayer> m_gradientLayer = platform::ui::GradientLayer::create();
    std::shared_ptr<platform::ui::Layer> m_parentLayer;
    platform::ui::Point m_startPoint { 0, 0.5 };
    platform::ui::Point m_endPoint { 1, 0.5 };
    double m_lineWidth = 0;
    Color m_strokeColor = Color::black();
    std::optional<Color> m_fillColor = Color::black();
    platform::ui::Rect m_bounds;
    std::vector<Color> m_colors;
    platform::ui::LineCap m_lineCap = platform::ui::LineCap::butt;
    platform::ui::LineJoin m_lineJoin = platform::ui::LineJoin::bevel;
    std::optional<platform::ui::Path> m_path;
    double m_lineDashPhase = 0;
    std::optional<std::vector<double>> m_lineDashPattern;
};

} // namespace pirrow
