#pragma once

#include <platform/ui/button.h>
#include <platform/ui/image.h>
#include <platform/ui/layer.h>
#include <platform/ui/textlayer.h>

#include <memory>
#include <optional>

namespace pirrow {

/// A button whose background is its colour at low opacity, with the title (or, without a title, its
/// image tinted and drawn at 16 × 16) in the full colour, optionally with fully rounded ends. Its
/// natural size grows by the paddings. It shrinks to 95 % while pressed; disabled, it ignores presses.
class HierarchicalButton : public platform::ui::Button {
    Q_OBJECT
public:
    explicit HierarchicalButton(
        const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Added once to the natural width and height. Setting them lays the button out again but does
    /// not change its natural size for constraints already resolved.
    double horizontalPadding() const { return m_horizontalPadding; }
    void setHorizontalPadding(double padding);
    double verticalPadding() const { return m_verticalPadding; }
    void setVerticalPadding(double padding);
    /// Corner radius half the height; else 4.
    bool isRound() const { return m_isRound; }
    void setRound(bool on);
    /// Default the system blue.
    const platform::ui::Color &color() const { return m_color; }
    void setColor(const platform::ui::Color &color);
    /// Shown only without a title; it becomes a template image when drawn.
    const std::optional<platform::ui::Image> &image() const { return m_image; }
    void setImage(std::optional<platform::ui::Image> image);

    /// The title's size in the button's font, plus the paddings.
    platform::ui::Size intrinsicContentSize() const;

    const std::shared_ptr<platform::ui::TextLayer> &textLayer() const { return m_textLayer; }
    const std::shared_ptr<platform::ui::Layer> &imageLayer() const { return m_imageLayer; }

    void layout() override;
    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;
    void mouseDown(const platform::ui::MouseEvent &event) override;
    void mouseUp(const platform::ui::MouseEvent &event) override;

private:
    void update();

    const std::shared_ptr<platform::ui::TextLayer> m_textLayer;
    const std::shared_ptr<platform::ui::Layer> m_imageLayer;
    double m_horizontalPadding = 0;
    double m_verticalPadding = 0;
    bool m_isRound = false;
    platform::ui::Color m_color;
    std::optional<platform::ui::Image> m_image;
    bool m_pressed = false;
};

} // namespace pirrow
