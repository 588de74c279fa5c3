#pragma once

#include <platform/ui/scrollview.h>

namespace pirrow {

/// A scroll view that ignores the scroll wheel and trackpad scrolling: it does not move, and the
/// views around it do not get the scroll either.
class DisabledScrollView : public platform::ui::ScrollView {
    Q_OBJECT
public:
    explicit DisabledScrollView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);
    void scrollWheel(const platform::ui::ScrollWheelEvent &event) override;
};

} // namespace pirrow
