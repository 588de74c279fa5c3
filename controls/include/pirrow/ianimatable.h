#pragma once

#include <platform/ui/layer.h>

#include <memory>

namespace pirrow {

/// A plotter that can animate its shapes once.
class IAnimatable {
public:
    virtual ~IAnimatable() = default;
    virtual void animate(const std::shared_ptr<platform::ui::Layer> &layer, double max, double bottomInset) = 0;
};

} // namespace pirrow
