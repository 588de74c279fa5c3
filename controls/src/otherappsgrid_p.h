#pragma once

#include <platform/ui/view.h>

namespace pirrow {

/// The grid of the other-apps panel: tiles placed from the top.
class OtherAppsGridView : public platform::ui::View {
    Q_OBJECT
public:
    using View::View;
    bool isFlipped() const override { return true; }
};

/// The area the grid scrolls in: a wheel moves the grid up and down within its height.
class OtherAppsScrollArea : public platform::ui::View {
    Q_OBJECT
public:
    using View::View;
    bool isFlipped() const override { return true; }
    /// Moves the content by `delta` points (positive: towards its end), kept within the content.
    void scrollBy(double delta);

protected:
    void wheelEvent(QWheelEvent *event) override;
};

} // namespace pirrow
