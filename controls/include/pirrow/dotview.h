#pragma once

#include "pirrow/dotviewdelegate.h"

#include <platform/ui/geometry.h>
#include <platform/ui/view.h>

#include <memory>
#include <optional>

namespace pirrow {

/// A page indicator: a centred row of `count` dots as high as the view less 2 points, `distance` apart,
/// the selected one in the accent colour and the others in the separator colour. A click on a dot
/// selects it and tells the delegate.
class DotView : public platform::ui::View {
    Q_OBJECT
public:
    explicit DotView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    void setDelegate(std::weak_ptr<DotViewDelegate> delegate) { m_delegate = std::move(delegate); }
    /// Default 5; must not be negative.
    int count() const { return m_count; }
    void setCount(int count);
    int selectedDot() const { return m_selectedDot; }
    void setSelectedDot(int index);
    /// Gap between two dots in points; default 12.
    double distance() const { return m_distance; }
    void setDistance(double distance);

    /// The square of dot `index` in the view's coordinates.
    platform::ui::Rect dotRect(int index) const;
    /// The dot whose column holds `x`, if any.
    std::optional<int> dotAt(double x) const;

    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;
    void mouseDown(const platform::ui::MouseEvent &event) override;

private:
    double firstDotX() const;
    double diameter() const { return bounds().height() - 2; }

    std::weak_ptr<DotViewDelegate> m_delegate;
    int m_count = 5;
    int m_selectedDot = 0;
    double m_distance = 12;
};

} // namespace pirrow
