#pragma once

#include "pirrow/hoverbuttondelegate.h"

#include <platform/ui/button.h>
#include <platform/ui/image.h>
#include <platform/ui/layer.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/textlayer.h>
#include <platform/ui/trackingarea.h>

#include <memory>
#include <optional>

namespace pirrow {

/// A button with a centred title and an optional image over a rounded grey background shown while the
/// pointer is over it (or always). Rebuilt on every change: background, title, image.
class HoverButton : public platform::ui::Button {
    Q_OBJECT
public:
    explicit HoverButton(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    void setDelegate(std::weak_ptr<HoverButtonDelegate> delegate) { m_delegate = std::move(delegate); }
    bool isHovered() const { return m_hover; }
    /// Title colour; default the system text colour.
    const platform::ui::Color &textColor() const { return m_textColor; }
    void setTextColor(const platform::ui::Color &color);
    bool alwaysShowBackground() const { return m_alwaysShowBackground; }
    void setAlwaysShowBackground(bool on);
    /// Shown centred over the whole button, unchanged.
    const std::optional<platform::ui::Image> &customImage() const { return m_customImage; }
    void setCustomImage(std::optional<platform::ui::Image> image);

    const std::shared_ptr<platform::ui::TextLayer> &textLayer() const { return m_textLayer; }
    const std::shared_ptr<platform::ui::Layer> &imageLayer() const { return m_imageLayer; }
    const std::shared_ptr<platform::ui::ShapeLayer> &backgroundLayer() const { return m_backgroundLayer; }
    const std::shared_ptr<platform::ui::TrackingArea> &trackingArea() const { return m_trackingArea; }

    void layout() override;
    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;
    void mouseEntered(const platform::ui::MouseEvent &event) override;
    void mouseExited(const platform::ui::MouseEvent &event) override;
    void mouseDown(const platform::ui::MouseEvent &event) override;

private:
    void updateLayers();

    const std::shared_ptr<platform::ui::TextLayer> m_textLayer;
    const std::shared_ptr<platform::ui::Layer> m_imageLayer;
    const std::shared_ptr<platform::ui::ShapeLayer> m_backgroundLayer;
    std::shared_ptr<platform::ui::TrackingArea> m_trackingArea;
    std::weak_ptr<HoverButtonDelegate> m_delegate;
    platform::ui::Color m_textColor;
    bool m_alwaysShowBackground = false;
    std::optional<platform::ui::Image> m_customImage;
    bool m_hover = false;
};

} // namespace pirrow
