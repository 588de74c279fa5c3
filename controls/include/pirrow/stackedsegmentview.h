#pragma once

#include "pirrow/stackedsegment.h"

#include <platform/ui/color.h>
#include <platform/ui/layer.h>
#include <platform/ui/view.h>

#include <memory>
#include <vector>

namespace pirrow {

/// A bar of coloured segments side by side, left to right in order, over a rounded background.
/// Shares are not normalised: shares adding up to less than 1 leave the background showing at the
/// right, shares beyond 1 are clipped. The layers are rebuilt on every layout and appearance change;
/// `layers()` are the ones the view added at the last pass (background first).
class StackedSegmentView : public platform::ui::View {
    Q_OBJECT
public:
    explicit StackedSegmentView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Default the separator colour.
    const platform::ui::Color &backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const platform::ui::Color &color);
    /// Default 8.
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius);
    const std::vector<StackedSegment> &segments() const { return m_segments; }
    void setSegments(std::vector<StackedSegment> segments);

    const std::vector<std::shared_ptr<platform::ui::Layer>> &layers() const { return m_layers; }

    void layout() override;
    void viewDidChangeEffectiveAppearance() override;

private:
    void updateLayers();
    void drawBackground();
    void drawSegments();

    std::vector<std::shared_ptr<platform::ui::Layer>> m_layers;
    platform::ui::Color m_backgroundColor;
    double m_cornerRadius = 8;
    std::vector<StackedSegment> m_segments;
};

} // namespace pirrow
