#pragma once

#include <platform/ui/button.h>
#include <platform/ui/color.h>
#include <platform/ui/gradientlayer.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/textlayer.h>

#include <memory>
#include <vector>

namespace pirrow {

/// A button drawn as a left-to-right colour gradient clipped to the rounded view, with the title
/// centred in white (dark grey while disabled). It shrinks to 95 % while pressed, also when disabled.
class GradientButton : public platform::ui::Button {
    Q_OBJECT
public:
    explicit GradientButton(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Default teal to cyan.
    const std::vector<platform::ui::Color> &colors() const { return m_colors; }
    void setColors(std::vector<platform::ui::Color> colors);
    /// Radius of the view's rounding; default 16.
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius);

    const std::shared_ptr<platform::ui::ShapeLayer> &maskingLayer() const { return m_maskingLayer; }
    const std::shared_ptr<platform::ui::GradientLayer> &gradientLayer() const { return m_gradientLayer; }
    const std::shared_ptr<platform::ui::TextLayer> &textLayer() const { return m_textLayer; }

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

    const std::shared_ptr<platform::ui::ShapeLayer> m_maskingLayer;
    const std::shared_ptr<platform::ui::GradientLayer> m_gradientLayer;
    const std::shared_ptr<platform::ui::TextLayer> m_textLayer;
    std::vector<platform::ui::Color> m_colors;
    double m_cornerRadius = 16;
    bool m_pressed = false;
};

} // namespace pirrow
