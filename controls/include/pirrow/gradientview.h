#pragma once

#include "pirrow/colortheme.h"

#include <platform/ui/color.h>
#include <platform/ui/view.h>

#include <vector>

namespace pirrow {

/// A rounded area filled with a left-to-right gradient of `colors` (at least two colours; fewer
/// draw nothing). Setting `colorTheme`, even to `custom`, takes the theme's gradient colours; a new
/// view keeps the orange-to-yellow colours until a theme is set.
class GradientView : public platform::ui::View {
    Q_OBJECT
public:
    explicit GradientView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius);
    ColorTheme colorTheme() const { return m_colorTheme; }
    void setColorTheme(ColorTheme theme);
    const std::vector<platform::ui::Color> &colors() const { return m_colors; }
    void setColors(std::vector<platform::ui::Color> colors);

    /// Takes the colours of the theme's gradient and rounds the layer.
    void applyTheme();

    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;

private:
    double m_cornerRadius = 8;
    ColorTheme m_colorTheme = ColorTheme::custom;
    std::vector<platform::ui::Color> m_colors;
};

} // namespace pirrow
