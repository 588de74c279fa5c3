#pragma once

#include <platform/ui/splitview.h>

namespace pirrow {

/// A split view whose divider has no thickness and is not drawn: the panes touch.
class NoDividerSplitView : public platform::ui::SplitView {
    Q_OBJECT
public:
    explicit NoDividerSplitView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);
    double dividerThickness() const override;
    void drawDividerInRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &rect) override;
};

} // namespace pirrow
