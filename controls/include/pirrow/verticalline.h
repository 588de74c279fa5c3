#pragma once

#include <platform/ui/color.h>
#include <platform/ui/view.h>

namespace pirrow {

/// A vertical line down the middle of the view, `lineWidth` wide (default two device pixels of the
/// main screen) in `color` (default the tertiary label colour, following the appearance).
class VerticalLine : public platform::ui::View {
    Q_OBJECT
public:
    explicit VerticalLine(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double width);
    platform::ui::Color color() const { return m_color; }
    void setColor(const platform::ui::Color &color);

    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;

private:
    double m_lineWidth;
    platform::ui::Color m_color;
};

} // namespace pirrow
