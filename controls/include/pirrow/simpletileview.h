#pragma once

#include "pirrow/hoverdisplaymode.h"

#include <platform/ui/color.h>
#include <platform/ui/trackingarea.h>
#include <platform/ui/view.h>

#include <memory>
#include <optional>

namespace pirrow {

class SimpleTileViewDelegate;

/// A rounded, clickable tile with a hover effect (a border, a shadow or a shift to the left, as
/// `hoverDisplayMode` says) and an optional selection border.
///
/// Everything it shows is in its layer: background, border and shadow, written by `updateAppearance`
/// from the properties and the view's appearance on every layout, appearance change and change of
/// `enableSelection` or `isSelected`. The pointer is followed by a tracking area over the bounds,
/// installed again after every layout. The delegate is held weakly and told after the tile's own
/// handling; one that is gone is skipped.
class SimpleTileView : public platform::ui::View {
    Q_OBJECT
public:
    explicit SimpleTileView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Tells tiles apart (as a storyboard tags them).
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    const std::shared_ptr<platform::ui::TrackingArea> &trackingArea() const { return m_trackingArea; }
    /// The pointer is over the tile in rectangle mode.
    bool isMouseEntered() const { return m_isMouseEntered; }
    void setMouseEntered(bool entered) { m_isMouseEntered = entered; }
    /// When set, clicks are swallowed: neither the superview nor the delegate sees them.
    bool disableInteraction() const { return m_disableInteraction; }
    void setDisableInteraction(bool disable) { m_disableInteraction = disable; }
    std::weak_ptr<SimpleTileViewDelegate> delegate() const { return m_delegate; }
    void setDelegate(std::weak_ptr<SimpleTileViewDelegate> delegate) { m_delegate = std::move(delegate); }
    /// Hover border (rectangle mode) or hover shadow colour; default system blue at 0.75 / the accent colour.
    std::optional<platform::ui::Color> borderColor() const { return m_borderColor; }
    void setBorderColor(std::optional<platform::ui::Color> color) { m_borderColor = std::move(color); }
    /// Hover border width; default 2.
    std::optional<double> borderWidth() const { return m_borderWidth; }
    void setBorderWidth(std::optional<double> width) { m_borderWidth = width; }
    /// Selection border colour; default system blue.
    std::optional<platform::ui::Color> selectionColor() const { return m_selectionColor; }
    void setSelectionColor(std::optional<platform::ui::Color> color) { m_selectionColor = std::move(color); }
    /// Selection border width; default 3.
    std::optional<double> selectionWidth() const { return m_selectionWidth; }
    void setSelectionWidth(std::optional<double> width) { m_selectionWidth = width; }
    HoverDisplayMode hoverDisplayMode() const { return m_hoverDisplayMode; }
    void setHoverDisplayMode(HoverDisplayMode mode) { m_hoverDisplayMode = mode; }
    bool allowHover() const { return m_allowHover; }
    void setAllowHover(bool allow) { m_allowHover = allow; }
    bool enableSelection() const { return m_enableSelection; }
    void setEnableSelection(bool enable);
    bool isSelected() const { return m_isSelected; }
    void setSelected(bool selected);

    /// Ends a hover from code (when hover is allowed).
    void resetHover();
    /// Ends the selection and the hover border from code.
    void deselect();
    /// Moves the tile back in place (shift mode).
    void lowerTile();
    /// Moves the tile 8 points to the left (shift mode).
    void liftTile();
    /// Writes background, shadow and border into the layer.
    void updateAppearance();
    /// Writes the standard shadow into the layer: none under a dark appearance.
    void updateShadow();

    void layout() override;
    void viewDidChangeEffectiveAppearance() override;
    void mouseDown(const platform::ui::MouseEvent &event) override;
    void mouseEntered(const platform::ui::MouseEvent &event) override;
    void mouseExited(const platform::ui::MouseEvent &event) override;

private:
    void installTrackingArea();
    void shiftTile(double offset);
    void animateShift(double offset);

    int m_tag = 0;
    std::shared_ptr<platform::ui::TrackingArea> m_trackingArea;
    bool m_isMouseEntered = false;
    bool m_disableInteraction = false;
    std::weak_ptr<SimpleTileViewDelegate> m_delegate;
    std::optional<platform::ui::Color> m_borderColor;
    std::optional<double> m_borderWidth;
    std::optional<platform::ui::Color> m_selectionColor;
    std::optional<double> m_selectionWidth;
    HoverDisplayMode m_hoverDisplayMode = HoverDisplayMode::rectangle;
    bool m_allowHover = false;
    bool m_enableSelection = false;
    bool m_isSelected = false;
};

} // namespace pirrow
