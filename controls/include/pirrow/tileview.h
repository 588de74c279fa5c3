#pragma once

#include <platform/ui/view.h>

#include <memory>

namespace pirrow {

class TileViewDelegate;

/// A drawn tile: a rounded fill that lightens while the pointer is over it and a link-coloured
/// border while selected.
///
/// Hover needs the tracking area that `awakeFromNib` adds (tiles built by a storyboard factory get
/// it; tiles made directly in code have none and never show hover). A click tells the delegate when
/// the tile is selectable, even while `disableInteraction` keeps the click from the superview.
class TileView : public platform::ui::View {
    Q_OBJECT
public:
    explicit TileView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Finishes a tile built by a storyboard factory: adds the hover tracking area over the bounds.
    void awakeFromNib();

    bool mouseOver() const { return m_mouseOver; }
    void setMouseOver(bool over) { m_mouseOver = over; }
    double radius() const { return m_radius; }
    void setRadius(double radius);
    bool isSelected() const { return m_isSelected; }
    void setSelected(bool selected);
    bool disableInteraction() const { return m_disableInteraction; }
    void setDisableInteraction(bool disable) { m_disableInteraction = disable; }
    bool enableHover() const { return m_enableHover; }
    void setEnableHover(bool enable) { m_enableHover = enable; }
    bool isSelectable() const { return m_isSelectable; }
    void setSelectable(bool selectable) { m_isSelectable = selectable; }
    std::weak_ptr<TileViewDelegate> delegate() const { return m_delegate; }
    void setDelegate(std::weak_ptr<TileViewDelegate> delegate) { m_delegate = std::move(delegate); }

    /// Ends a hover from code (when hover is enabled).
    void resetHover();

    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;
    void viewDidChangeEffectiveAppearance() override;
    void mouseDown(const platform::ui::MouseEvent &event) override;
    void mouseEntered(const platform::ui::MouseEvent &event) override;
    void mouseExited(const platform::ui::MouseEvent &event) override;

private:
    bool m_mouseOver = false;
    double m_radius = 8;
    bool m_isSelected = false;
    bool m_disableInteraction = false;
    bool m_enableHover = true;
    bool m_isSelectable = true;
    std::weak_ptr<TileViewDelegate> m_delegate;
};

} // namespace pirrow
