#pragma once

#include "pirrow/togglebuttondelegate.h"

#include <platform/ui/button.h>
#include <platform/ui/image.h>
#include <platform/ui/layer.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/textlayer.h>
#include <platform/ui/trackingarea.h>

#include <memory>
#include <optional>

namespace pirrow {

/// An on/off button with a small icon near its left edge and a centred title over a rounded
/// background that shows `onColor` while on and a hover colour while the pointer is over it. The button
/// never switches itself: whoever handles the click sets `isOn`. Everything visible is a sublayer of the
/// view's layer, rebuilt on every change (background, title, icon, bottom to top).
class ToggleButton : public platform::ui::Button {
    Q_OBJECT
public:
    explicit ToggleButton(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Size at which the icon is drawn; no icon is shown while either side is 0. Stored only.
    platform::ui::Size iconSize() const { return m_iconSize; }
    void setIconSize(platform::ui::Size size) { m_iconSize = size; }
    void setDelegate(std::weak_ptr<ToggleButtonDelegate> delegate) { m_delegate = std::move(delegate); }
    bool isHovered() const { return m_hover; }
    /// Background while on; by default the hover colour of the appearance current at creation.
    const platform::ui::Color &onColor() const { return m_onColor; }
    void setOnColor(const platform::ui::Color &color);
    bool alwaysShowBackground() const { return m_alwaysShowBackground; }
    void setAlwaysShowBackground(bool on);
    /// Clicks are swallowed completely: no highlight, no action, no delegate call. Stored only.
    bool ignoreClick() const { return m_ignoreClick; }
    void setIgnoreClick(bool on) { m_ignoreClick = on; }
    bool isOn() const { return m_isOn; }
    /// Also drops the hover look until the pointer leaves and enters again.
    void setOn(bool on);
    const std::optional<platform::ui::Image> &icon() const { return m_icon; }
    void setIcon(std::optional<platform::ui::Image> icon);
    /// Translucent faint grey on a dark appearance, (242, 242, 242) on a light one.
    platform::ui::Color hoverColor() const;

    const std::shared_ptr<platform::ui::TextLayer> &textLayer() const { return m_textLayer; }
    const std::shared_ptr<platform::ui::ShapeLayer> &backgroundLayer() const { return m_backgroundLayer; }
    const std::shared_ptr<platform::ui::Layer> &imageLayer() const { return m_imageLayer; }
    const std::shared_ptr<platform::ui::TrackingArea> &trackingArea() const { return m_trackingArea; }

    void layout() override;
    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;
    void mouseEntered(const platform::ui::MouseEvent &event) override;
    void mouseExited(const platform::ui::MouseEvent &event) override;
    void mouseDown(const platform::ui::MouseEvent &event) override;
    void mouseUp(const platform::ui::MouseEvent &event) override;
    void viewDidChangeEffectiveAppearance() override;

private:
    void updateLayers();
    void drawBackground();
    void drawText();
    void drawIcon();

    const std::shared_ptr<platform::ui::TextLayer> m_textLayer;
    const std::shared_ptr<platform::ui::ShapeLayer> m_backgroundLayer;
    const std::shared_ptr<platform::ui::Layer> m_imageLayer;
    std::shared_ptr<platform::ui::TrackingArea> m_trackingArea;
    platform::ui::Size m_iconSize;
    std::weak_ptr<ToggleButtonDelegate> m_delegate;
    bool m_hover = false;
    platform::ui::Color m_onColor;
    bool m_alwaysShowBackground = false;
    bool m_ignoreClick = false;
    bool m_isOn = false;
    bool m_swallowing = false;
    std::optional<platform::ui::Image> m_icon;
};

} // namespace pirrow
