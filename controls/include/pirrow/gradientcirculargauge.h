#pragma once

#include <platform/ui/color.h>
#include <platform/ui/gradientlayer.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/view.h>

#include <memory>
#include <vector>

namespace pirrow {

/// A full ring whose filled part, clockwise from the top, shows a left-to-right gradient. Value changes
/// animate (easing in and out over `duration`) from the previous value to the new one; the shown fill is
/// held by that animation, the mask's model stroke end stays 0.
class GradientCircularGauge : public platform::ui::View {
    Q_OBJECT
public:
    explicit GradientCircularGauge(
        const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Attaches the track and the gradient (also done on construction, so gauges made in code draw too).
    void awakeFromNib();

    /// Track colour; default the tertiary label colour.
    const platform::ui::Color &backColor() const { return m_backColor; }
    void setBackColor(const platform::ui::Color &color);
    /// Seconds of a value animation, default 0.5; applies to the next change.
    double duration() const { return m_duration; }
    void setDuration(double seconds) { m_duration = seconds; }
    /// Default teal to cyan.
    const std::vector<platform::ui::Color> &colors() const { return m_colors; }
    void setColors(std::vector<platform::ui::Color> colors);
    /// Default 5.
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double width);
    bool useRoundCap() const { return m_useRoundCap; }
    void setUseRoundCap(bool on);
    /// Any value is taken as given; setting the current value again does nothing.
    double value() const { return m_value; }
    void setValue(double value);

    const std::shared_ptr<platform::ui::ShapeLayer> &maskingLayer() const { return m_maskingLayer; }
    const std::shared_ptr<platform::ui::ShapeLayer> &backgroundLayer() const { return m_backgroundLayer; }
    const std::shared_ptr<platform::ui::GradientLayer> &gradientLayer() const { return m_gradientLayer; }

    void layout() override;
    void viewDidChangeEffectiveAppearance() override;

private:
    void drawBackground();
    void drawProgress();
    void animateValue();
    double radius() const;

    const std::shared_ptr<platform::ui::ShapeLayer> m_maskingLayer;
    const std::shared_ptr<platform::ui::ShapeLayer> m_backgroundLayer;
    const std::shared_ptr<platform::ui::GradientLayer> m_gradientLayer;
    double m_oldValue = 0;
    double m_value = 0;
    platform::ui::Color m_backColor;
    double m_duration = 0.5;
    std::vector<platform::ui::Color> m_colors;
    double m_lineWidth = 5;
    bool m_useRoundCap = true;
};

} // namespace pirrow
