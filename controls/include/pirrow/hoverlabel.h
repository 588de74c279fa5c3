#pragma once

#include <platform/ui/image.h>
#include <platform/ui/layer.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/textfield.h>
#include <platform/ui/textlayer.h>
#include <platform/ui/trackingarea.h>

#include <memory>
#include <optional>

namespace pirrow {

/// A one-line text centred in a field with rounded corners, an optional icon at its left edge, a
/// background while the pointer is over it and a switched-on state with its own background and blue
/// text. All it shows are its three layers (background, text, icon), rebuilt on every change.
class HoverLabel : public platform::ui::TextField {
    Q_OBJECT
public:
    explicit HoverLabel(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Shows the new text at once (the text layer is rebuilt).
    void setStringValue(const QString &text);

    /// The icon shows only while both sides are above 0. Stored only.
    platform::ui::Size iconSize() const { return m_iconSize; }
    void setIconSize(platform::ui::Size size) { m_iconSize = size; }
    bool isHovered() const { return m_hover; }
    bool isOn() const { return m_isOn; }
    void setOn(bool on);
    const std::optional<platform::ui::Image> &icon() const { return m_icon; }
    void setIcon(std::optional<platform::ui::Image> icon);
    /// Background while on: the library's hover colour for the current drawing appearance.
    platform::ui::Color onColor() const;
    /// Background while hovered, by the label's own appearance.
    platform::ui::Color hoverColor() const;

    const std::shared_ptr<platform::ui::TextLayer> &textLayer() const { return m_textLayer; }
    const std::shared_ptr<platform::ui::ShapeLayer> &backgroundLayer() const { return m_backgroundLayer; }
    const std::shared_ptr<platform::ui::Layer> &imageLayer() const { return m_imageLayer; }
    const std::shared_ptr<platform::ui::TrackingArea> &trackingArea() const { return m_trackingArea; }

    void layout() override;
    void viewDidChangeEffectiveAppearance() override;
    void mouseEntered(const platform::ui::MouseEvent &event) override;
    void mouseExited(const platform::ui::MouseEvent &event) override;
    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;

private:
    void installTrackingArea();
    void redraw();
    void updateBackground();
    void updateIcon();
    void updateText();

    const std::shared_ptr<platform::ui::TextLayer> m_textLayer;
    const std::shared_ptr<platform::ui::ShapeLayer> m_backgroundLayer;
    const std::shared_ptr<platform::ui::Layer> m_imageLayer;
    std::shared_ptr<platform::ui::TrackingArea> m_trackingArea;
    platform::ui::Size m_iconSize;
    bool m_hover = false;
    bool m_isOn = false;
    std::optional<platform::ui::Image> m_icon;
};

} // namespace pirrow
