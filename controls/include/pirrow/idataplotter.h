#pragma once

#include <platform/ui/layer.h>

#include <memory>
#include <optional>
#include <vector>

namespace pirrow {

class PlotterDelegate;

/// A plotter's values; an absent entry is a missing value.
using PlotterData = std::vector<std::optional<double>>;

/// A data series that draws itself into a graph's layer. Plotters are held by `std::shared_ptr`
/// (the graph keeps them so and hands redraws to the main queue by weak reference). The delegate
/// is not owned: the graph sets itself when the plotter is added and takes itself out with `clear`,
/// which it runs when it drops its plotters or goes away. Main thread only.
class IDataPlotter : public std::enable_shared_from_this<IDataPlotter> {
public:
    virtual ~IDataPlotter() = default;

    virtual PlotterData data() const = 0;
    virtual PlotterDelegate *delegate() const = 0;
    virtual void setDelegate(PlotterDelegate *delegate) = 0;
    /// Stores the values, then tells the delegate `plotterDataChanged`.
    virtual void setData(const PlotterData &values) = 0;
    /// Removes the layers of the previous drawing and, given a layer, draws the values between `min`
    /// (at the bottom of the plot area, `bottomInset` above the layer's bottom edge) and `max` (at the
    /// top edge). The layer's space runs y down, as the graph view is flipped.
    virtual void draw(const std::shared_ptr<platform::ui::Layer> &layer, double min, double max, double bottomInset)
        = 0;
    /// Removes the layers, forgets the delegate and empties the data; tells nobody.
    virtual void clear() = 0;
};

} // namespace pirrow
