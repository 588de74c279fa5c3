#pragma once

#include <platform/ui/color.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/view.h>

#include <memory>

namespace pirrow {

/// A flat horizontal bar in one colour over a faint track of the same colour. Every change shows at
/// once, without animation. The view owns its two layers for life: `bgLayer` (the track, covering the
/// whole view) and `progressLayer` (a line across the middle whose stroke end is `value`).
class ProgressView : public platform::ui::View {
    Q_OBJECT
public:
    explicit ProgressView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Colour of the fill; the track shows it at `alpha`. Default the accent colour.
    const platform::ui::Color &color() const { return m_color; }
    void setColor(const platform::ui::Color &color);
    /// Whether the ends are round (corner radius half the height). Default true.
    bool roundCorners() const { return m_roundCorners; }
    void setRoundCorners(bool on);
    /// Alpha of the track. Default 0.2.
    double alpha() const { return m_alpha; }
    void setAlpha(double alpha);
    /// The filled share, 0 to 1; other values are passed on as they are.
    double value() const { return m_value; }
    void setValue(double value);

    const std::shared_ptr<platform::ui::ShapeLayer> &bgLayer() const { return m_bgLayer; }
    const std::shared_ptr<platform::ui::ShapeLayer> &progressLayer() const { return m_progressLayer; }

    void layout() override;
    void viewDidChangeEffectiveAppearance() override;

private:
    const std::shared_ptr<platform::ui::ShapeLayer> m_bgLayer;
    const std::shared_ptr<platform::ui::ShapeLayer> m_progressLayer;
    platform::ui::Color m_color;
    bool m_roundCorners = true;
    double m_alpha = 0.2;
    double m_value = 0;
};

} // namespace pirrow
