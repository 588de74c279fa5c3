#pragma once

#include <platform/ui/color.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/view.h>

#include <memory>
#include <optional>

namespace pirrow {

/// A flat horizontal bar with an optional colour and a fixed corner radius; without a colour it shows
/// the accent colour over the system's faintest label grey. Changes show at once, without animation.
class HorizontalProgressView : public platform::ui::View {
    Q_OBJECT
public:
    explicit HorizontalProgressView(
        const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// The filled share, 0 to 1; other values are passed on as they are.
    double value() const { return m_value; }
    void setValue(double value);
    /// Fill colour; the track shows it at alpha 0.22. Empty: the system colours.
    const std::optional<platform::ui::Color> &color() const { return m_color; }
    void setColor(std::optional<platform::ui::Color> color);
    /// Default 4.
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius);

    const std::shared_ptr<platform::ui::ShapeLayer> &bgLayer() const { return m_bgLayer; }
    const std::shared_ptr<platform::ui::ShapeLayer> &progressLayer() const { return m_progressLayer; }

    void layout() override;
    void viewDidChangeEffectiveAppearance() override;

private:
    const std::shared_ptr<platform::ui::ShapeLayer> m_bgLayer;
    const std::shared_ptr<platform::ui::ShapeLayer> m_progressLayer;
    double m_value = 0;
    std::optional<platform::ui::Color> m_color;
    double m_cornerRadius = 4;
};

} // namespace pirrow
