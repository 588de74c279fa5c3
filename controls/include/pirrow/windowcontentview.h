#pragma once

#include <platform/ui/view.h>

namespace pirrow {

/// A window's content view painted white, or left clear under a dark appearance (so the window's
/// own background shows).
class WindowContentView : public platform::ui::View {
    Q_OBJECT
public:
    explicit WindowContentView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;
};

} // namespace pirrow
