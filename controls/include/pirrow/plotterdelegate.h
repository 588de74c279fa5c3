#pragma once

namespace pirrow {

class IDataPlotter;

/// How a plotter tells its graph to draw it again. The graph redraws that plotter later, on the main
/// queue, never inside the call.
class PlotterDelegate {
public:
    virtual ~PlotterDelegate() = default;
    /// The plotter's look changed; its data did not.
    virtual void plotterNeedsRedraw(IDataPlotter &plotter) = 0;
    /// The plotter's data changed.
    virtual void plotterDataChanged(IDataPlotter &plotter) = 0;
};

} // namespace pirrow
