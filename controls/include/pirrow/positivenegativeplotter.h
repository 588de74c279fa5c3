#pragma once

#include "pirrow/drawnilmode.h"
#include "pirrow/gradientlayer.h"
#include "pirrow/idataplotter.h"

namespace pirrow {

/// A straight-segment line in one colour, with a dashed reference line at `initial`: the line is
/// `positive` when the latest value lies above `initial`, `negative` below it, black on it (or when
/// the latest value is missing or NaN). No area, markers or free points. Setting `drawNilMode` asks
/// the delegate for a redraw; other setters only store.
class PositiveNegativePlotter : public IDataPlotter {
public:
    PositiveNegativePlotter(const Color &positive, const Color &negative);

    PlotterData data() const override { return m_data; }
    PlotterDelegate *delegate() const override { return m_delegate; }
    void setDelegate(PlotterDelegate *delegate) override { m_delegate = delegate; }
    void setData(const PlotterData &values) override;
    void draw(const std::shared_ptr<platform::ui::Layer> &layer, double min, double max, double bottomInset) override;
    void clear() override;

    const PlotterData &mData() const { return m_mData; }
    const std::vector<platform::ui::Point> &calculatedPoints() const { return m_calculatedPoints; }
    const std::shared_ptr<GradientLayer> &strokeLayer() const { return m_strokeLayer; }
    const std::shared_ptr<GradientLayer> &initialLayer() const { return m_initialLayer; }
    bool truncated() const { return m_truncated; }
    void setTruncated(bool on) { m_truncated = on; }
    Color positive() const { return m_positive; }
    void setPositive(const Color &c) { m_positive = c; }
    Color negative() const { return m_negative; }
    void setNegative(const Color &c) { m_negative = c; }
    double lineDashPhase() const { return m_lineDashPhase; }
    void setLineDashPhase(double p) { m_lineDashPhase = p; }
    const std::optional<std::vector<double>> &lineDashPattern() const { return m_lineDashPattern; }
    void setLineDashPattern(std::optional<std::vector<double>> p) { m_lineDashPattern = std::move(p); }
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double w) { m_lineWidth = w; }
    bool truncateData() const { return m_truncateData; }
    void setTruncateData(bool on) { m_truncateData = on; }
    double minimumDistance() const { return m_minimumDistance; }
    void setMinimumDistance(double d) { m_minimumDistance = d; }
    platform::ui::LineJoin lineJoin() const { return m_lineJoin; }
    void setLineJoin(platform::ui::LineJoin j) { m_lineJoin = j; }
    platform::ui::Point strokeStartPoint() const { return m_strokeStartPoint; }
    void setStrokeStartPoint(platform::ui::Point p) { m_strokeStartPoint = p; }
    platform::ui::Point strokeEndPoint() const { return m_strokeEndPoint; }
    void setStrokeEndPoint(platform::ui::Point p) { m_strokeEndPoint = p; }
    /// The line mask's stroke colour: only its opacity shows.
    Color strokeColor() const { return m_strokeColor; }
    void setStrokeColor(const Color &c) { m_strokeColor = c; }
    platform::ui::Point fillStartPoint() const { return m_fillStartPoint; }
    void setFillStartPoint(platform::ui::Point p) { m_fillStartPoint = p; }
    platform::ui::Point fillEndPoint() const { return m_fillEndPoint; }
    void setFillEndPoint(platform::ui::Point p) { m_fillEndPoint = p; }
    /// The reference value: where the dashed line lies and what the colour is decided against.
    double initial() const { return m_initial; }
    void setInitial(double v) { m_initial = v; }
    double initialThickness() const { return m_initialThickness; }
    void setInitialThickness(double t) { m_initialThickness = t; }
    Color initialColor() const { return m_initialColor; }
    void setInitialColor(const Color &c) { m_initialColor = c; }
    double initialLineDashPhase() const { return m_initialLineDashPhase; }
    void setInitialLineDashPhase(double p) { m_initialLineDashPhase = p; }
    const std::vector<double> &initialLineDashPattern() const { return m_initialLineDashPattern; }
    void setInitialLineDashPattern(std::vector<double> p) { m_initialLineDashPattern = std::move(p); }
    DrawNilMode drawNilMode() const { return m_drawNilMode; }
    void setDrawNilMode(DrawNilMode mode);
    double maxX() const { return m_maxX; }
    void setMaxX(double x) { m_maxX = x; }

    void resetTruncation() { m_truncated = false; }
    /// As the straight line plotter's: base − (v − min) / (max − min) × base, base = height − inset −
    /// line width; missing and NaN values lie on base.
    double yPosition(std::optional<double> value, double min, double max, double height, double bottomInset) const;
    void truncate(double width);
    void drawLine(platform::ui::Layer &layer, double min, double max, double bottomInset);
    void drawInitial(platform::ui::Layer &layer, double min, double max, double bottomInset);

private:
    PlotterData m_data;
    PlotterData m_mData;
    std::vector<platform::ui::Point> m_calculatedPoints;
    std::shared_ptr<GradientLayer> m_strokeLayer;
    std::shared_ptr<GradientLayer> m_initialLayer;
    bool m_truncated = false;
    Color m_positive;
    Color m_negative;
    double m_lineDashPhase = 0;
    std::optional<std::vector<double>> m_lineDashPattern;
    double m_lineWidth;
    bool m_truncateData = false;
    double m_minimumDistance = 5.0;
    platform::ui::LineJoin m_lineJoin = platform::ui::LineJoin::miter;
    platform::ui::Point m_strokeStartPoint { 0.5, 0 };
    platform::ui::Point m_strokeEndPoint { 0.5, 1.0 };
    Color m_strokeColor;
    platform::ui::Point m_fillStartPoint { 0.5, 0 };
    platform::ui::Point m_fillEndPoint { 0.5, 1.0 };
    double m_initial = 0;
    double m_initialThickness;
    Color m_initialColor = Color::systemGray();
    double m_initialLineDashPhase = 2.0;
    std::vector<double> m_initialLineDashPattern { 3, 3 };
    PlotterDelegate *m_delegate = nullptr;
    DrawNilMode m_drawNilMode = DrawNilMode::drawMinValue;
    double m_maxX = 100.0;
};

} // namespace pirrow
