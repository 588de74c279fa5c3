#pragma once

#include <platform/ui/color.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/view.h>

#include <memory>
#include <optional>

namespace pirrow {

/// A speedometer gauge: a 270-degree arc open at the bottom, filled clockwise from the bottom left by
/// `value`. Every layout replaces the two layers (`backgroundLayer`, then `progressLayer` on top).
class Gauge : public platform::ui::View {
    Q_OBJECT
public:
    explicit Gauge(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Makes the view layer-backed (also done on construction, so gauges made in code draw too).
    void awakeFromNib();

    /// Fill colour; the track shows it at alpha 0.1. Empty: teal fill and no track.
    const std::optional<platform::ui::Color> &color() const { return m_color; }
    void setColor(std::optional<platform::ui::Color> color);
    /// Default 5.
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double width);
    /// Within 0 to 1: values outside are clamped; setting the current value again does nothing.
    double value() const { return m_value; }
    void setValue(double value);

    /// The layers of the last layout pass (none before the first).
    const std::shared_ptr<platform::ui::ShapeLayer> &backgroundLayer() const { return m_backgroundLayer; }
    const std::shared_ptr<platform::ui::ShapeLayer> &progressLayer() const { return m_progressLayer; }

    void layout() override;
    void viewDidChangeEffectiveAppearance() override;

private:
    void drawBackground();
    void drawProgress();
    double radius() const;

    std::shared_ptr<platform::ui::ShapeLayer> m_backgroundLayer;
    std::shared_ptr<platform::ui::ShapeLayer> m_progressLayer;
    double m_value = 0;
    std::optional<platform::ui::Color> m_color;
    double m_lineWidth = 5;
};

} // namespace pirrow
