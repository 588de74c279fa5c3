#pragma once

#include <platform/ui/color.h>
#include <platform/ui/view.h>

namespace pirrow {

/// A pill (corner radius half the height) filled with one colour, by default the separator colour.
class ColorView : public platform::ui::View {
    Q_OBJECT
public:
    explicit ColorView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    platform::ui::Color color() const { return m_color; }
    void setColor(const platform::ui::Color &color);

    void update();
    void layout() override;
    void viewDidChangeEffectiveAppearance() override;

private:
    platform::ui::Color m_color;
};

} // namespace pirrow
