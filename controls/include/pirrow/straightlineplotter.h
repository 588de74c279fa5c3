#pragma once

#include "pirrow/drawnilmode.h"
#include "pirrow/gradientlayer.h"
#include "pirrow/idataplotter.h"
#include "pirrow/linejoinmarker.h"

#include <platform/ui/shapelayer.h>

#include <QString>

namespace pirrow {

/// Draws a series as a polyline of straight segments: a gradient stroke, optionally a gradient area
/// under it, optionally circle markers at inner joints, missing values as `drawNilMode` says. A
/// non-empty `points` list is drawn instead of the values (x from 0 to `maxX`). Drawn only by its
/// graph; setting `drawNilMode` or `points` asks the delegate for a redraw, other setters only store.
class StraightLinePlotter : public IDataPlotter {
public:
    /// Stroke gradient colours `colors`.
    explicit StraightLinePlotter(std::vector<Color> colors);
    /// The default stroke colours, with the mask's stroke colour and the area flag given.
    StraightLinePlotter(const Color &strokeColor, bool fillArea);

    PlotterData data() const override { return m_data; }
    PlotterDelegate *delegate() const override { return m_delegate; }
    void setDelegate(PlotterDelegate *delegate) override { m_delegate = delegate; }
    void setData(const PlotterData &values) override;
    void draw(const std::shared_ptr<platform::ui::Layer> &layer, double min, double max, double bottomInset) override;
    void clear() override;

    const PlotterData &mData() const { return m_mData; }
    const std::vector<platform::ui::Point> &calculatedPoints() const { return m_calculatedPoints; }
    const std::shared_ptr<GradientLayer> &strokeLayer() const { return m_strokeLayer; }
    const std::shared_ptr<GradientLayer> &fillLayer() const { return m_fillLayer; }
    const std::vector<std::shared_ptr<platform::ui::ShapeLayer>> &markerLayers() const { return m_markerLayers; }
    bool truncated() const { return m_truncated; }
    void setTruncated(bool on) { m_truncated = on; }

    const std::vector<Color> &colors() const { return m_colors; }
    void setColors(std::vector<Color> c) { m_colors = std::move(c); }
    const std::vector<Color> &fillColors() const { return m_fillColors; }
    void setFillColors(std::vector<Color> c) { m_fillColors = std::move(c); }
    bool fillArea() const { return m_fillArea; }
    void setFillArea(bool on) { m_fillArea = on; }
    double lineDashPhase() const { return m_lineDashPhase; }
    void setLineDashPhase(double p) { m_lineDashPhase = p; }
    const std::optional<std::vector<double>> &lineDashPattern() const { return m_lineDashPattern; }
    void setLineDashPattern(std::optional<std::vector<double>> p) { m_lineDashPattern = std::move(p); }
    LineJoinMarker lineJoinMarker() const { return m_lineJoinMarker; }
    void setLineJoinMarker(LineJoinMarker m) { m_lineJoinMarker = m; }
    /// Radius of a marker disc.
    double lineJoinMarkerThickness() const { return m_lineJoinMarkerThickness; }
    void setLineJoinMarkerThickness(double t) { m_lineJoinMarkerThickness = t; }
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double w) { m_lineWidth = w; }
    bool truncateData() const { return m_truncateData; }
    void setTruncateData(bool on) { m_truncateData = on; }
    /// Room in points one kept value needs when thinning.
    double minimumDistance() const { return m_minimumDistance; }
    void setMinimumDistance(double d) { m_minimumDistance = d; }
    std::optional<QString> unit() const { return m_unit; }
    void setUnit(std::optional<QString> u) { m_unit = std::move(u); }
    double labelFactor() const { return m_labelFactor; }
    void setLabelFactor(double f) { m_labelFactor = f; }
    platform::ui::LineJoin lineJoin() const { return m_lineJoin; }
    void setLineJoin(platform::ui::LineJoin j) { m_lineJoin = j; }
    platform::ui::Point strokeStartPoint() const { return m_strokeStartPoint; }
    void setStrokeStartPoint(platform::ui::Point p) { m_strokeStartPoint = p; }
    platform::ui::Point strokeEndPoint() const { return m_strokeEndPoint; }
    void setStrokeEndPoint(platform::ui::Point p) { m_strokeEndPoint = p; }
    /// The mask's stroke colour (its alpha is the line's coverage) and the highlight circles' colour.
    Color strokeColor() const { return m_strokeColor; }
    void setStrokeColor(const Color &c) { m_strokeColor = c; }
    platform::ui::Point fillStartPoint() const { return m_fillStartPoint; }
    void setFillStartPoint(platform::ui::Point p) { m_fillStartPoint = p; }
    platform::ui::Point fillEndPoint() const { return m_fillEndPoint; }
    void setFillEndPoint(platform::ui::Point p) { m_fillEndPoint = p; }
    bool usePointColor() const { return m_usePointColor; }
    void setUsePointColor(bool on) { m_usePointColor = on; }
    DrawNilMode drawNilMode() const { return m_drawNilMode; }
    void setDrawNilMode(DrawNilMode mode);
    double innerMarkerRadius() const { return m_innerMarkerRadius; }
    void setInnerMarkerRadius(double r) { m_innerMarkerRadius = r; }
    double outerMarkerRadius() const { return m_outerMarkerRadius; }
    void setOuterMarkerRadius(double r) { m_outerMarkerRadius = r; }
    const std::vector<platform::ui::Point> &points() const { return m_points; }
    void setPoints(std::vector<platform::ui::Point> points);
    /// The x of a free point that maps to the right edge.
    double maxX() const { return m_maxX; }
    void setMaxX(double x) { m_maxX = x; }

    void resetTruncation() { m_truncated = false; }
    /// The y of a value: base − (v − min) / (max − min) × base with base = height − inset − line
    /// width; a missing or NaN value lies on base.
    double yPosition(std::optional<double> value, double min, double max, double height, double bottomInset) const;
    void addMarker(platform::ui::Layer &layer, double x, double y);
    void addCircle(platform::ui::Layer &layer, const Color &color, double radius, double x, double y);
    /// Thins `data` into `mData`: at most width / `minimumDistance` values, at a fixed stride from
    /// index 0. Without room for one value nothing is kept; a distance that is not positive keeps all.
    void truncate(double width);
    void drawFromPoints(platform::ui::Layer &layer, double max, double bottomInset);
    void drawLine(platform::ui::Layer &layer, double min, double max, double bottomInset);
    void drawFill(platform::ui::Layer &layer, double min, double max, double bottomInset);

private:
    /// The line walk shared by line and area: the path, and whether anything was drawn.
    std::optional<platform::ui::Path> walk(
        platform::ui::Layer &layer, double min, double max, double bottomInset, bool recordPoints);

    PlotterData m_data;
    PlotterData m_mData;
    std::vector<platform::ui::Point> m_calculatedPoints;
    std::shared_ptr<GradientLayer> m_strokeLayer;
    std::shared_ptr<GradientLayer> m_fillLayer;
    std::vector<std::shared_ptr<platform::ui::ShapeLayer>> m_markerLayers;
    bool m_truncated = false;
    std::vector<Color> m_colors;
    std::vector<Color> m_fillColors;
    bool m_fillArea = true;
    double m_lineDashPhase = 0;
    std::optional<std::vector<double>> m_lineDashPattern;
    LineJoinMarker m_lineJoinMarker = LineJoinMarker::none;
    double m_lineJoinMarkerThickness = 3.0;
    double m_lineWidth;
    bool m_truncateData = false;
    double m_minimumDistance = 5.0;
    std::optional<QString> m_unit;
    double m_labelFactor = 1.0;
    platform::ui::LineJoin m_lineJoin = platform::ui::LineJoin::miter;
    platform::ui::Point m_strokeStartPoint { 0.5, 0 };
    platform::ui::Point m_strokeEndPoint { 0.5, 1.0 };
    Color m_strokeColor;
    platform::ui::Point m_fillStartPoint { 0.5, 0 };
    platform::ui::Point m_fillEndPoint { 0.5, 1.0 };
    bool m_usePointColor = true;
    PlotterDelegate *m_delegate = nullptr;
    DrawNilMode m_drawNilMode = DrawNilMode::drawMinValue;
    double m_innerMarkerRadius = 3.0;
    double m_outerMarkerRadius = 5.0;
    std::vector<platform::ui::Point> m_points;
    double m_maxX = 100.0;
};

} // namespace pirrow
