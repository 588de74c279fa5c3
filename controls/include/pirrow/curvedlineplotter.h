#pragma once

#include "pirrow/gradientlayer.h"
#include "pirrow/idataplotter.h"
#include "pirrow/linejoinmarker.h"

#include <platform/ui/shapelayer.h>

#include <QString>

namespace pirrow {

/// Draws a series (or a list of free points, x from 0 to `maxX`) as a smooth curve with a horizontal
/// tangent at every point, which never overshoots a point vertically: a gradient stroke, optionally a
/// gradient area under it and circle markers. A missing value lies at the bottom of the plot area.
/// Drawn only by its graph; setting `points` asks the delegate for a redraw, other setters only store.
class CurvedLinePlotter : public IDataPlotter {
public:
    explicit CurvedLinePlotter(std::vector<Color> colors);
    CurvedLinePlotter(std::vector<Color> colors, bool fillArea);

    PlotterData data() const override { return m_data; }
    PlotterDelegate *delegate() const override { return m_delegate; }
    void setDelegate(PlotterDelegate *delegate) override { m_delegate = delegate; }
    void setData(const PlotterData &values) override;
    void draw(const std::shared_ptr<platform::ui::Layer> &layer, double min, double max, double bottomInset) override;
    void clear() override;

    const std::shared_ptr<GradientLayer> &strokeLayer() const { return m_strokeLayer; }
    const std::shared_ptr<GradientLayer> &fillLayer() const { return m_fillLayer; }
    const std::vector<std::shared_ptr<platform::ui::ShapeLayer>> &markerLayers() const { return m_markerLayers; }
    const PlotterData &mData() const { return m_mData; }
    const std::vector<platform::ui::Point> &calculatedPoints() const { return m_calculatedPoints; }
    bool truncated() const { return m_truncated; }
    void setTruncated(bool on) { m_truncated = on; }

    bool truncateData() const { return m_truncateData; }
    void setTruncateData(bool on) { m_truncateData = on; }
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
    double lineJoinMarkerThickness() const { return m_lineJoinMarkerThickness; }
    void setLineJoinMarkerThickness(double t) { m_lineJoinMarkerThickness = t; }
    /// Stroke width; also the curve's inset from the edges.
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double w) { m_lineWidth = w; }
    platform::ui::LineJoin lineJoin() const { return m_lineJoin; }
    void setLineJoin(platform::ui::LineJoin j) { m_lineJoin = j; }
    platform::ui::Point strokeStartPoint() const { return m_strokeStartPoint; }
    void setStrokeStartPoint(platform::ui::Point p) { m_strokeStartPoint = p; }
    platform::ui::Point strokeEndPoint() const { return m_strokeEndPoint; }
    void setStrokeEndPoint(platform::ui::Point p) { m_strokeEndPoint = p; }
    double minimumDistance() const { return m_minimumDistance; }
    void setMinimumDistance(double d) { m_minimumDistance = d; }
    std::optional<QString> unit() const { return m_unit; }
    void setUnit(std::optional<QString> u) { m_unit = std::move(u); }
    double labelFactor() const { return m_labelFactor; }
    void setLabelFactor(double f) { m_labelFactor = f; }
    platform::ui::Point fillStartPoint() const { return m_fillStartPoint; }
    void setFillStartPoint(platform::ui::Point p) { m_fillStartPoint = p; }
    platform::ui::Point fillEndPoint() const { return m_fillEndPoint; }
    void setFillEndPoint(platform::ui::Point p) { m_fillEndPoint = p; }
    /// The stroke mask's colour: its alpha is the stroke's coverage.
    Color strokeColor() const { return m_strokeColor; }
    void setStrokeColor(const Color &c) { m_strokeColor = c; }
    const std::vector<platform::ui::Point> &points() const { return m_points; }
    void setPoints(std::vector<platform::ui::Point> points);
    double maxX() const { return m_maxX; }
    void setMaxX(double x) { m_maxX = x; }

    void resetTruncation() { m_truncated = false; }
    /// (height − inset − line width) × (1 − (v − min) / (max − min)); a missing value one line width
    /// above the baseline, a NaN value two.
    double yPosition(std::optional<double> value, double min, double max, double height, double bottomInset) const;
    void addMarker(platform::ui::Layer &layer, double x, double y);
    void truncate(double width);
    void drawFromPoints(platform::ui::Layer &layer, double max, double bottomInset);
    void drawFillFromPoints(platform::ui::Layer &layer, double bottomInset);
    void drawLine(platform::ui::Layer &layer, double min, double max, double bottomInset);
    void drawFill(platform::ui::Layer &layer, double min, double max, double bottomInset);

private:
    std::vector<platform::ui::Point> valuePoints(
        const platform::ui::Layer &layer, double min, double max, double bottomInset) const;
    /// The curve from `start` through `points`, with markers after each segment where they belong.
    platform::ui::Path curve(platform::ui::Layer &layer, platform::ui::Point move,
        const std::vector<platform::ui::Point> &points, bool markers, double min);
    std::vector<platform::ui::Point> freePoints(const platform::ui::Layer &layer) const;

    std::shared_ptr<GradientLayer> m_strokeLayer;
    std::shared_ptr<GradientLayer> m_fillLayer;
    std::vector<std::shared_ptr<platform::ui::ShapeLayer>> m_markerLayers;
    PlotterData m_data;
    PlotterData m_mData;
    std::vector<platform::ui::Point> m_calculatedPoints;
    bool m_truncated = false;
    bool m_truncateData = false;
    std::vector<Color> m_colors;
    std::vector<Color> m_fillColors;
    bool m_fillArea = true;
    double m_lineDashPhase = 0;
    std::optional<std::vector<double>> m_lineDashPattern;
    LineJoinMarker m_lineJoinMarker = LineJoinMarker::none;
    double m_lineJoinMarkerThickness = 3.0;
    double m_lineWidth;
    platform::ui::LineJoin m_lineJoin = platform::ui::LineJoin::miter;
    platform::ui::Point m_strokeStartPoint { 0.5, 0 };
    platform::ui::Point m_strokeEndPoint { 0.5, 1 };
    double m_minimumDistance = 5.0;
    std::optional<QString> m_unit;
    double m_labelFactor = 1.0;
    platform::ui::Point m_fillStartPoint { 0.5, 0 };
    platform::ui::Point m_fillEndPoint { 0.5, 1 };
    Color m_strokeColor;
    PlotterDelegate *m_delegate = nullptr;
    std::vector<platform::ui::Point> m_points;
    double m_maxX = 100.0;
};

} // namespace pirrow
