#pragma once

#include <platform/ui/view.h>

namespace pirrow {

/// A view that never takes the mouse: neither it nor anything inside it receives mouse events, so
/// clicks reach the views behind it.
class NonInteractiveView : public platform::ui::View {
    Q_OBJECT
public:
    explicit NonInteractiveView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);
};

} // namespace pirrow
