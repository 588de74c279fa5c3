#pragma once

#include <platform/ui/color.h>
#include <platform/ui/view.h>

#include <memory>

namespace pirrow {

class TileViewDelegate;

/// A plain panel that fills itself with `hoverColor` in a rounded rectangle while the pointer is
/// over it. Like TileView, it follows the pointer only after `awakeFromNib`.
class HoverView : public platform::ui::View {
    Q_OBJECT
public:
    explicit HoverView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Finishes a panel built by a storyboard factory: adds the hover tracking area over the bounds.
    void awakeFromNib();

    bool mouseOver() const { return m_mouseOver; }
    void setMouseOver(bool over) { m_mouseOver = over; }
    double radius() const { return m_radius; }
    void setRadius(double radius);
    bool enableHover() const { return m_enableHover; }
    void setEnableHover(bool enable) { m_enableHover = enable; }
    std::weak_ptr<TileViewDelegate> delegate() const { return m_delegate; }
    void setDelegate(std::weak_ptr<TileViewDelegate> delegate) { m_delegate = std::move(delegate); }
    /// Default: the system highlight colour.
    platform::ui::Color hoverColor() const { return m_hoverColor; }
    void setHoverColor(const platform::ui::Color &color) { m_hoverColor = color; }

    /// Ends a hover from code (when hover is enabled).
    void resetHover();

    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;
    void viewDidChangeEffectiveAppearance() override;
    void mouseEntered(const platform::ui::MouseEvent &event) override;
    void mouseExited(const platform::ui::MouseEvent &event) override;

private:
    bool m_mouseOver = false;
    double m_radius = 8;
    bool m_enableHover = true;
    std::weak_ptr<TileViewDelegate> m_delegate;
    platform::ui::Color m_hoverColor;
};

} // namespace pirrow
