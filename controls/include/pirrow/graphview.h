#pragma once

#include "pirrow/autographmode.h"
#include "pirrow/fontoptions.h"
#include "pirrow/gradientlayer.h"
#include "pirrow/gridoptions.h"
#include "pirrow/iaxis.h"
#include "pirrow/idataplotter.h"
#include "pirrow/plotterdelegate.h"
#include "pirrow/scalemode.h"
#include "pirrow/tickoptions.h"

#include <platform/ui/shapelayer.h>
#include <platform/ui/textlayer.h>
#include <platform/ui/view.h>

#include <memory>
#include <vector>

namespace pirrow {

/// A layer-drawn value graph: grid, optional tick circles, up to three value labels at the right
/// edge, an optional x axis below the plot area and any number of plotters, each drawing one series
/// between `minValue` and `maxValue`. Flipped by default (`reverseCoordinates`): y runs down from the
/// top edge. Everything is rebuilt on layout, on appearance changes and by `refresh`; a plotter's
/// data or look change redraws only that plotter, later, on the main queue. Option records are
/// values: change a field on a copy and set it back; nothing shows until the next refresh or layout.
/// The graph owns its plotters; leaving its superview (or going away) clears them.
class GraphView : public platform::ui::View, public PlotterDelegate {
    Q_OBJECT

public:
    explicit GraphView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);
    ~GraphView() override;

    const std::shared_ptr<platform::ui::ShapeLayer> &bottomLineLayer() const { return m_bottomLineLayer; }
    const std::shared_ptr<platform::ui::ShapeLayer> &gridLayer() const { return m_gridLayer; }
    const std::vector<std::shared_ptr<platform::ui::TextLayer>> &textLayers() const { return m_textLayers; }
    const std::shared_ptr<GradientLayer> &smallTickLayer() const { return m_smallTickLayer; }
    const std::shared_ptr<GradientLayer> &largeTickLayer() const { return m_largeTickLayer; }
    const std::vector<std::shared_ptr<IDataPlotter>> &plotters() const { return m_plotters; }

    virtual FontOptions fontOptions() const { return m_fontOptions; }
    virtual void setFontOptions(const FontOptions &o) { m_fontOptions = o; }
    virtual GridOptions gridOptions() const { return m_gridOptions; }
    virtual void setGridOptions(const GridOptions &o) { m_gridOptions = o; }
    virtual TickOptions tickOptions() const { return m_tickOptions; }
    virtual void setTickOptions(const TickOptions &o) { m_tickOptions = o; }
    virtual AutoGraphMode autoGraphMode() const { return m_autoGraphMode; }
    virtual void setAutoGraphMode(AutoGraphMode m) { m_autoGraphMode = m; }
    /// Factor applied to a value before it is written.
    virtual double autoGraphModeTextScale() const { return m_autoGraphModeTextScale; }
    virtual void setAutoGraphModeTextScale(double s) { m_autoGraphModeTextScale = s; }
    /// Kept for callers; the graph does not read it.
    virtual bool autoCalculateLineWidth() const { return m_autoCalculateLineWidth; }
    virtual void setAutoCalculateLineWidth(bool on) { m_autoCalculateLineWidth = on; }
    /// Recompute the maximum whenever a plotter's data changes.
    virtual bool autoCalculateMax() const { return m_autoCalculateMax; }
    virtual void setAutoCalculateMax(bool on) { m_autoCalculateMax = on; }
    /// The flipped state; setting it lays the view out at once.
    virtual bool reverseCoordinates() const { return m_reverseCoordinates; }
    virtual void setReverseCoordinates(bool on);

    virtual int plotterCount() const { return int(m_plotters.size()); }
    /// Height kept free below the plot area: the axis' height, else 4 with tick marks shown and at
    /// least one tick, else 0.
    virtual double bottomInset() const;
    virtual std::shared_ptr<IAxis> axisX() const { return m_axisX; }
    /// Clears the previous axis, draws grid, new axis and ticks, then refreshes.
    virtual void setAxisX(std::shared_ptr<IAxis> axis);
    virtual bool useZeroAsMin() const { return m_useZeroAsMin; }
    virtual void setUseZeroAsMin(bool on) { m_useZeroAsMin = on; }
    virtual QString unit() const { return m_unit; }
    virtual void setUnit(const QString &unit) { m_unit = unit; }
    virtual std::shared_ptr<IDataPlotter> firstPlotter() const { return plotterAt(0); }
    virtual std::shared_ptr<IDataPlotter> secondPlotter() const { return plotterAt(1); }
    virtual std::shared_ptr<IDataPlotter> thirdPlotter() const { return plotterAt(2); }
    virtual double minValue() const { return m_minValue; }
    /// Lowered to a step of `scaleMode` (see the source for the rules); 0 for 0, infinities and NaN.
    virtual void setMinValue(double value);
    virtual double maxValue() const { return m_maxValue; }
    /// Lifted to a step of `scaleMode`; 100 for 0, infinities and NaN; in a speed mode kept as given
    /// and the unit set to the data-rate unit of the value.
    virtual void setMaxValue(double value);
    virtual bool isLabelsEnabled() const { return m_labelsEnabled; }
    virtual void setLabelsEnabled(bool on);
    virtual ScaleMode scaleMode() const { return m_scaleMode; }
    virtual void setScaleMode(ScaleMode m) { m_scaleMode = m; }

    /// Appends the plotter and becomes its delegate; draws it (now when it has no data, else through
    /// `plotterDataChanged`).
    virtual void addPlotter(const std::shared_ptr<IDataPlotter> &plotter);
    /// Animates every plotter that can animate, in order.
    virtual void animate();
    /// Clears every plotter in order, then forgets them.
    virtual void removeAllPlotters();
    virtual void refresh();
    /// Grid, every plotter, then the axis.
    virtual void redraw();
    virtual void drawTicks();
    virtual void drawGrid();
    virtual void drawLabels();
    virtual QString labelText(double value) const;
    /// Sets the maximum from the largest present value of all plotters.
    virtual void calculateMax();

    void plotterNeedsRedraw(IDataPlotter &plotter) override;
    void plotterDataChanged(IDataPlotter &plotter) override;

    bool isFlipped() const override { return m_reverseCoordinates; }
    void layout() override;
    void viewDidChangeEffectiveAppearance() override;
    void viewWillMoveToSuperview(platform::ui::View *newSuperview) override;

private:
    std::shared_ptr<IDataPlotter> plotterAt(size_t index) const;
    void drawPlotter(IDataPlotter &plotter);
    void queueDraw(IDataPlotter &plotter);

    std::shared_ptr<platform::ui::ShapeLayer> m_bottomLineLayer = platform::ui::ShapeLayer::create();
    std::shared_ptr<platform::ui::ShapeLayer> m_gridLayer = platform::ui::ShapeLayer::create();
    std::vector<std::shared_ptr<platform::ui::TextLayer>> m_textLayers;
    std::shared_ptr<GradientLayer> m_smallTickLayer;
    std::shared_ptr<GradientLayer> m_largeTickLayer;
    std::vector<std::shared_ptr<IDataPlotter>> m_plotters;
    double m_minValue = 0;
    double m_maxValue = 100;
    FontOptions m_fontOptions;
    GridOptions m_gridOptions;
    TickOptions m_tickOptions;
    AutoGraphMode m_autoGraphMode = AutoGraphMode::none;
    double m_autoGraphModeTextScale = 1;
    bool m_autoCalculateLineWidth = true;
    bool m_autoCalculateMax = false;
    bool m_reverseCoordinates = true;
    std::shared_ptr<IAxis> m_axisX;
    bool m_useZeroAsMin = false;
    QString m_unit;
    bool m_labelsEnabled = true;
    ScaleMode m_scaleMode = ScaleMode::ten;
};

} // namespace pirrow
