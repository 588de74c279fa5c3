#pragma once

#include <platform/ui/layer.h>

#include <memory>

namespace pirrow {

/// An x axis drawn in a strip at the bottom of a graph's layer (y down).
class IAxis {
public:
    virtual ~IAxis() = default;
    /// Height of the strip.
    virtual double height() const = 0;
    /// Removes the previous layers and, given a layer, adds new ones into it.
    virtual void draw(const std::shared_ptr<platform::ui::Layer> &layer, double lineWidth) = 0;
    /// Removes the axis' layers from their superlayers.
    virtual void clear() = 0;
};

} // namespace pirrow
