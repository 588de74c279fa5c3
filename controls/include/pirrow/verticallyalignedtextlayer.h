#pragma once

#include <platform/ui/textlayer.h>

namespace pirrow {

/// A text layer that draws a line of its font size in its vertical middle instead of at its top.
class VerticallyAlignedTextLayer : public platform::ui::TextLayer {
public:
    VerticallyAlignedTextLayer() = default;
    static std::shared_ptr<VerticallyAlignedTextLayer> create() { return std::make_shared<VerticallyAlignedTextLayer>(); }

    /// How far the drawing moves down: (height − font size) / 2 − font size / 10 (negative moves up).
    double verticalShift() const;

    void drawInContext(platform::ui::GraphicsContext &context) const override;

protected:
    VerticallyAlignedTextLayer(const VerticallyAlignedTextLayer &other, int copyTag);
    std::shared_ptr<platform::ui::Layer> makeCopy() const override;
};

} // namespace pirrow
