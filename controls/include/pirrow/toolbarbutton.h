#pragma once

#include "pirrow/toolbarbuttondelegate.h"

#include <platform/ui/button.h>
#include <platform/ui/font.h>
#include <platform/ui/image.h>
#include <platform/ui/layer.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/trackingarea.h>

#include <memory>
#include <optional>

namespace pirrow {

/// An icon-only button: a symbol image tinted in an accent colour over a faint rounded background of
/// that colour while hovered or selected. Hover follows the pointer only while the button is enabled.
class ToolbarButton : public platform::ui::Button {
    Q_OBJECT
public:
    explicit ToolbarButton(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    void setDelegate(std::weak_ptr<ToolbarButtonDelegate> delegate) { m_delegate = std::move(delegate); }
    bool isHovered() const { return m_hover; }
    /// The symbol; it becomes a template image when drawn (the stored image itself changes).
    const std::optional<platform::ui::Image> &customImage() const { return m_customImage; }
    void setCustomImage(std::optional<platform::ui::Image> image);
    /// Tint and background colour; empty: the accent colour.
    const std::optional<platform::ui::Color> &customColor() const { return m_customColor; }
    void setCustomColor(std::optional<platform::ui::Color> color);
    /// Symbol configuration: the image is drawn at `pointSize` / 13 of its size. Default 14, regular.
    double pointSize() const { return m_pointSize; }
    void setPointSize(double size);
    double iconWeight() const { return m_iconWeight; }
    void setIconWeight(double weight);
    bool isSelected() const { return m_isSelected; }
    /// Also drops the hover look.
    void setSelected(bool selected);
    /// Clears the hover look and rebuilds.
    void resetHover();

    const std::shared_ptr<platform::ui::Layer> &imageLayer() const { return m_imageLayer; }
    const std::shared_ptr<platform::ui::ShapeLayer> &backgroundLayer() const { return m_backgroundLayer; }
    const std::shared_ptr<platform::ui::TrackingArea> &trackingArea() const { return m_trackingArea; }

    void layout() override;
    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;
    void mouseEntered(const platform::ui::MouseEvent &event) override;
    void mouseExited(const platform::ui::MouseEvent &event) override;
    void mouseDown(const platform::ui::MouseEvent &event) override;

    /// A button that moves (to another window or out of one) forgets its hover state.
    void viewWillMoveToSuperview(platform::ui::View *newSuperview) override;

private:
    void updateLayers();
    void drawImage();

    const std::shared_ptr<platform::ui::Layer> m_imageLayer;
    const std::shared_ptr<platform::ui::ShapeLayer> m_backgroundLayer;
    std::shared_ptr<platform::ui::TrackingArea> m_trackingArea;
    std::weak_ptr<ToolbarButtonDelegate> m_delegate;
    std::optional<platform::ui::Image> m_customImage;
    std::optional<platform::ui::Color> m_customColor;
    double m_pointSize = 14;
    double m_iconWeight = platform::ui::FontWeight::regular;
    bool m_isSelected = false;
    bool m_hover = false;
};

} // namespace pirrow
