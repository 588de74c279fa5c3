#pragma once

#include <platform/ui/color.h>
#include <platform/ui/gradientlayer.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/view.h>

#include <memory>
#include <vector>

namespace pirrow {

/// A horizontal bar with a left-to-right gradient over the filled part whose value changes slide from
/// the old value to the new one; in indeterminate mode slanted stripes move to the left without end
/// until a positive value arrives.
///
/// The view owns its four layers for life. After a layout its layer holds, bottom to top, `bgLayer`
/// (the track), `blockLayer` (the stripes, indeterminate mode only) and `gradientLayer`, whose mask is
/// `progressLayer` (a line across the middle). The shown fill is held by the "strokeEnd" animation of
/// `progressLayer`; its model stroke end stays 0. Every layout replays the last change.
class AnimatedGradientProgressView : public platform::ui::View {
    Q_OBJECT
public:
    explicit AnimatedGradientProgressView(
        const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Seconds of one value animation, default 0.66; applies from the next change or layout.
    double duration() const { return m_duration; }
    void setDuration(double seconds) { m_duration = seconds; }
    const std::vector<platform::ui::Color> &colors() const { return m_colors; }
    void setColors(std::vector<platform::ui::Color> colors);
    bool isIndeterminate() const { return m_isIndeterminate; }
    void setIndeterminate(bool on);
    /// Fill of the track; default the tertiary label colour.
    const platform::ui::Color &backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const platform::ui::Color &color);
    /// Round ends (default) or square ones.
    bool hasCorners() const { return m_hasCorners; }
    void setHasCorners(bool on);

    /// Always within 0 to 1.
    double value() const { return m_value; }
    /// Ends the indeterminate mode when positive; values above 1 become 1, below 0 and NaN 0.
    void setValue(double value);
    /// Empties the bar at once, without animation.
    void reset();

    const std::shared_ptr<platform::ui::ShapeLayer> &bgLayer() const { return m_bgLayer; }
    const std::shared_ptr<platform::ui::ShapeLayer> &progressLayer() const { return m_progressLayer; }
    const std::shared_ptr<platform::ui::GradientLayer> &gradientLayer() const { return m_gradientLayer; }
    const std::shared_ptr<platform::ui::ShapeLayer> &blockLayer() const { return m_blockLayer; }

    void layout() override;
    void viewDidChangeEffectiveAppearance() override;

private:
    void updateLayers();
    void animateValue();
    void startIndeterminate();

    const std::shared_ptr<platform::ui::ShapeLayer> m_bgLayer;
    const std::shared_ptr<platform::ui::ShapeLayer> m_progressLayer;
    const std::shared_ptr<platform::ui::GradientLayer> m_gradientLayer;
    const std::shared_ptr<platform::ui::ShapeLayer> m_blockLayer;
    double m_value = 0;
    double m_oldValue = 0;
    double m_duration = 0.66;
    std::vector<platform::ui::Color> m_colors;
    bool m_isIndeterminate = false;
    platform::ui::Color m_backgroundColor;
    bool m_hasCorners = true;
};

} // namespace pirrow
