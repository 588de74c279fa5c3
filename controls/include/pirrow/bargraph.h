#pragma once

#include <platform/ui/color.h>
#include <platform/ui/view.h>

#include <QStringList>

#include <cstdint>
#include <vector>

namespace pirrow {

/// A self-drawn graph (y up) of 32-bit values as vertical bars over five horizontal grid lines, with
/// value labels at the left and, when there is one per value, text labels under the bars. The scale
/// runs to the next multiple of 100 above the largest value (100 without a positive value).
class BarGraph : public platform::ui::View {
    Q_OBJECT

public:
    explicit BarGraph(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    double leftOffset() const { return m_leftOffset; }
    void setLeftOffset(double v) { m_leftOffset = v; }
    double topOffset() const { return m_topOffset; }
    void setTopOffset(double v) { m_topOffset = v; }
    double bottomOffset() const { return m_bottomOffset; }
    void setBottomOffset(double v) { m_bottomOffset = v; }
    platform::ui::Color color() const { return m_color; }
    void setColor(const platform::ui::Color &c);
    double alpha() const { return m_alpha; }
    void setAlpha(double a);
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double w);
    const std::vector<std::int32_t> &data() const { return m_data; }
    void setData(std::vector<std::int32_t> values);
    const QStringList &labels() const { return m_labels; }
    void setLabels(const QStringList &labels) { m_labels = labels; }

    /// The top of the scale: the next multiple of 100 strictly above the largest value, 100 without
    /// a positive value; a value too large for that stays at the largest multiple of 100 that fits.
    virtual std::int32_t maxValue() const;
    virtual void drawGrid(platform::ui::GraphicsContext &context, double chartHeight);
    virtual void drawValueLabels(platform::ui::GraphicsContext &context, std::int32_t max, double chartHeight);

    void drawRect(platform::ui::GraphicsContext &context, const platform::ui::Rect &dirtyRect) override;

private:
    double m_leftOffset = 48;
    double m_topOffset = 16;
    double m_bottomOffset = 16;
    platform::ui::Color m_color = platform::ui::Color::systemRed();
    double m_alpha = 0.5;
    double m_lineWidth = 1.0;
    std::vector<std::int32_t> m_data;
    QStringList m_labels;
};

} // namespace pirrow
