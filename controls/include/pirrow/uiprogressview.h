#pragma once

#include <platform/ui/graphicscontext.h>
#include <platform/ui/view.h>

namespace pirrow {

/// A thin horizontal bar of two round-capped lines across the middle: green above 20 %, red at or below,
/// over a faint track of the same colour. Both ends are inset by the line width.
class UIProgressView : public platform::ui::View {
    Q_OBJECT
public:
    UIProgressView(double lineWidth, double progress, const platform::ui::Rect &frame = platform::ui::Rect(),
        QWidget *parent = nullptr);

    double lineWidth() const { return m_lineWidth; }
    double progress() const { return m_progress; }

    /// Draws the bar into `size` (y up): the track, then the bar.
    static void paint(platform::ui::GraphicsContext &context, platform::ui::Size size, double lineWidth, double progress);

    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;

private:
    double m_lineWidth;
    double m_progress;
};

} // namespace pirrow
