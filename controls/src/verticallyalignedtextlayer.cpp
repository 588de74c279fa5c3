#include "pirrow/verticallyalignedtextlayer.h"

#include <platform/ui/graphicscontext.h>

namespace pirrow {

using namespace platform::ui;

VerticallyAlignedTextLayer::VerticallyAlignedTextLayer(const VerticallyAlignedTextLayer &other, int copyTag)
    : TextLayer(other, copyTag)
{
}

std::shared_ptr<Layer> VerticallyAlignedTextLayer::makeCopy() const
{
    return std::shared_ptr<Layer>(new VerticallyAlignedTextLayer(*this, 0));
}

double VerticallyAlignedTextLayer::verticalShift() const
{
    const double h = bounds().height();
    const double f = fontSize();
    return (h - f) / 2 - f / 10;
}

void VerticallyAlignedTextLayer::drawInContext(GraphicsContext &context) const
{
    context.save();
    context.translate(0, -verticalShift());
    TextLayer::drawInContext(context);
    context.restore();
}

} // namespace pirrow
