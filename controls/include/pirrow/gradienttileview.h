#pragma once

#include <platform/ui/color.h>
#include <platform/ui/view.h>

#include <memory>
#include <vector>

namespace pirrow {

class GradientTileViewDelegate;

/// A rounded tile filled with a diagonal gradient (bottom left to top right) under a thin border,
/// optionally with a soft shadow. `rebuildLayers` makes its layers anew on every layout and on every
/// change of colours, border or shadow.
class GradientTileView : public platform::ui::View {
    Q_OBJECT
public:
    explicit GradientTileView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// While set, clicks are ignored entirely.
    bool disableInteraction() const { return m_disableInteraction; }
    void setDisableInteraction(bool disable) { m_disableInteraction = disable; }
    const std::vector<platform::ui::Color> &colors() const { return m_colors; }
    void setColors(std::vector<platform::ui::Color> colors);
    platform::ui::Color borderColor() const { return m_borderColor; }
    void setBorderColor(const platform::ui::Color &color);
    double borderThickness() const { return m_borderThickness; }
    void setBorderThickness(double thickness);
    bool drawShadow() const { return m_drawShadow; }
    void setDrawShadow(bool draw);
    std::weak_ptr<GradientTileViewDelegate> delegate() const { return m_delegate; }
    void setDelegate(std::weak_ptr<GradientTileViewDelegate> delegate) { m_delegate = std::move(delegate); }

    void rebuildLayers();

    void layout() override;
    void mouseDown(const platform::ui::MouseEvent &event) override;

private:
    bool m_disableInteraction = false;
    std::vector<platform::ui::Color> m_colors;
    platform::ui::Color m_borderColor;
    double m_borderThickness;
    bool m_drawShadow = false;
    std::weak_ptr<GradientTileViewDelegate> m_delegate;
};

} // namespace pirrow
