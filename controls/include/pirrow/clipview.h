#pragma once

#include <platform/ui/path.h>
#include <platform/ui/view.h>

namespace pirrow {

/// Clips its content to its bounds with the two lower corners rounded by `radius` (the upper ones
/// stay square), through a mask layer made anew on every layout.
class ClipView : public platform::ui::View {
    Q_OBJECT
public:
    explicit ClipView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    double radius() const { return m_radius; }
    void setRadius(double radius);

    /// The clip outline for a view of `size` with lower corners rounded by `radius`.
    static platform::ui::Path clipPath(platform::ui::Size size, double radius);

    void update();
    void layout() override;

private:
    double m_radius = 8;
};

} // namespace pirrow
