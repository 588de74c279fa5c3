#pragma once

#include <platform/ui/color.h>
#include <platform/ui/gradientlayer.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/view.h>

#include <memory>
#include <vector>

namespace pirrow {

/// A horizontal, pill-shaped progress bar: a grey track over the whole view and, over the filled
/// share, a left-to-right gradient of `colors`.
///
/// The view owns three layers for its whole life: the track (`bgLayer`) and the gradient
/// (`gradientLayer`) are sublayers of the view's layer, and the filled part (`progressLayer`, a round-
/// capped line across the middle) is the gradient's mask, so `value` is that line's stroke end.
/// Geometry, line widths, the track colour and the gradient colours are applied again on every
/// layout and appearance change; a value change only moves the stroke end, without animation.
class GradientProgressView : public platform::ui::View {
    Q_OBJECT
public:
    explicit GradientProgressView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// The filled share, always within 0 to 1.
    double value() const { return m_value; }
    /// Values above 1 become 1, below 0 and not finite ones 0.
    void setValue(double value);

    /// The gradient's colours from left to right; default teal to cyan.
    const std::vector<platform::ui::Color> &colors() const { return m_colors; }
    void setColors(std::vector<platform::ui::Color> colors);

    const std::shared_ptr<platform::ui::ShapeLayer> &bgLayer() const { return m_bgLayer; }
    const std::shared_ptr<platform::ui::ShapeLayer> &progressLayer() const { return m_progressLayer; }
    const std::shared_ptr<platform::ui::GradientLayer> &gradientLayer() const { return m_gradientLayer; }

    void layout() override;
    void viewDidChangeEffectiveAppearance() override;

private:
    void setupLayers();

    const std::shared_ptr<platform::ui::ShapeLayer> m_bgLayer;
    const std::shared_ptr<platform::ui::ShapeLayer> m_progressLayer;
    const std::shared_ptr<platform::ui::GradientLayer> m_gradientLayer;
    double m_value = 0;
    std::vector<platform::ui::Color> m_colors;
};

} // namespace pirrow
