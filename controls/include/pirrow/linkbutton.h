#pragma once

#include <platform/ui/button.h>

namespace pirrow {

/// A plain button that shows the pointing hand over itself while enabled (the arrow while disabled).
class LinkButton : public platform::ui::Button {
    Q_OBJECT
public:
    explicit LinkButton(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    void resetCursorRects() override;
};

} // namespace pirrow
