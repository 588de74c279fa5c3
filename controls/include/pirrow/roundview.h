#pragma once

#include <platform/ui/color.h>
#include <platform/ui/view.h>

#include <optional>

namespace pirrow {

/// A rounded fill in `color` with a border of `lineWidth` in `borderColor` (no border without one).
/// Every setter and every appearance change writes the properties into the layer again.
class RoundView : public platform::ui::View {
    Q_OBJECT
public:
    explicit RoundView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Default: the secondary label colour.
    platform::ui::Color color() const { return m_color; }
    void setColor(const platform::ui::Color &color);
    /// Default 0.5.
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double width);
    /// Default 8.
    double radius() const { return m_radius; }
    void setRadius(double radius);
    std::optional<platform::ui::Color> borderColor() const { return m_borderColor; }
    void setBorderColor(std::optional<platform::ui::Color> color);

    void update();
    void viewDidChangeEffectiveAppearance() override;

private:
    platform::ui::Color m_color;
    double m_lineWidth = 0.5;
    double m_radius = 8;
    std::optional<platform::ui::Color> m_borderColor;
};

} // namespace pirrow
