#pragma once

#include <platform/ui/button.h>
#include <platform/ui/color.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/textlayer.h>

#include <memory>
#include <optional>

namespace pirrow {

/// A button drawn as a rounded outline (or filled rounded shape) in one colour with the title centred
/// in it; light grey with a dark grey title while disabled. It shrinks to 95 % while pressed, also when
/// disabled (a disabled button sends no action).
class ColorButton : public platform::ui::Button {
    Q_OBJECT
public:
    explicit ColorButton(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    bool fill() const { return m_fill; }
    void setFill(bool on);
    /// Outline width; default 4.
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double width);
    /// Outline, fill and default title colour; default the accent colour.
    const platform::ui::Color &color() const { return m_color; }
    void setColor(const platform::ui::Color &color);
    /// Title colour while enabled; none: `color`.
    const std::optional<platform::ui::Color> &textColor() const { return m_textColor; }
    void setTextColor(std::optional<platform::ui::Color> color);
    /// Default 8. Rounds the view at once; the shape follows at the next rebuild.
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius);

    const std::shared_ptr<platform::ui::TextLayer> &textLayer() const { return m_textLayer; }
    const std::shared_ptr<platform::ui::ShapeLayer> &backgroundLayer() const { return m_backgroundLayer; }

    void layout() override;
    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;
    void mouseDown(const platform::ui::MouseEvent &event) override;
    void mouseUp(const platform::ui::MouseEvent &event) override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void refresh();
    void drawBackground();
    void drawTitle();

    const std::shared_ptr<platform::ui::TextLayer> m_textLayer;
    const std::shared_ptr<platform::ui::ShapeLayer> m_backgroundLayer;
    bool m_fill = false;
    double m_lineWidth = 4;
    platform::ui::Color m_color;
    std::optional<platform::ui::Color> m_textColor;
    double m_cornerRadius = 8;
    bool m_pressed = false;
};

} // namespace pirrow
