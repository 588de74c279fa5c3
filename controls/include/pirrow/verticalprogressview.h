#pragma once

#include <platform/ui/shapelayer.h>
#include <platform/ui/view.h>

#include <memory>

namespace pirrow {

/// A flat bar that fills from the bottom edge upwards, in the accent colour over the system's faintest
/// label grey. Changes show at once, without animation.
class VerticalProgressView : public platform::ui::View {
    Q_OBJECT
public:
    explicit VerticalProgressView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// The filled share, 0 to 1; other values are passed on as they are.
    double value() const { return m_value; }
    void setValue(double value);
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
    double m_cornerRadius = 4;
};

} // namespace pirrow
