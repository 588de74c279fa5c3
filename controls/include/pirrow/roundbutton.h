#pragma once

#include <platform/ui/button.h>
#include <platform/ui/image.h>
#include <platform/ui/layer.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/textlayer.h>

#include <memory>
#include <optional>

namespace pirrow {

/// A filled button with slightly rounded corners in one colour, a white centred title and an optional
/// image above it. It shrinks to 95 % while pressed; a disabled button ignores presses entirely.
class RoundButton : public platform::ui::Button {
    Q_OBJECT
public:
    explicit RoundButton(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Default the system blue.
    const platform::ui::Color &color() const { return m_color; }
    void setColor(const platform::ui::Color &color);
    const std::optional<platform::ui::Image> &customImage() const { return m_customImage; }
    void setCustomImage(std::optional<platform::ui::Image> image);

    const std::shared_ptr<platform::ui::TextLayer> &textLayer() const { return m_textLayer; }
    const std::shared_ptr<platform::ui::Layer> &imageLayer() const { return m_imageLayer; }
    const std::shared_ptr<platform::ui::ShapeLayer> &backgroundLayer() const { return m_backgroundLayer; }

    void layout() override;
    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;
    void mouseDown(const platform::ui::MouseEvent &event) override;
    void mouseUp(const platform::ui::MouseEvent &event) override;

private:
    void updateLayers();

    const std::shared_ptr<platform::ui::TextLayer> m_textLayer;
    const std::shared_ptr<platform::ui::Layer> m_imageLayer;
    const std::shared_ptr<platform::ui::ShapeLayer> m_backgroundLayer;
    platform::ui::Color m_color;
    std::optional<platform::ui::Image> m_customImage;
    bool m_pressed = false;
};

} // namespace pirrow
