#pragma once

#include <platform/ui/shapelayer.h>
#include <platform/ui/view.h>

#include <memory>

namespace pirrow {

/// A full ring filled clockwise from the top, in the accent colour over the faintest label grey.
class GaugeView : public platform::ui::View {
    Q_OBJECT
public:
    explicit GaugeView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Default 8.
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double width);
    /// Round ends of the fill (default), else flat.
    bool useRoundCap() const { return m_useRoundCap; }
    void setUseRoundCap(bool on);
    /// The filled share of a turn; values below 0 become 0, larger ones are kept. Setting the current
    /// value again does nothing; a new one redraws the layers at once.
    double value() const { return m_value; }
    void setValue(double value);

    const std::shared_ptr<platform::ui::ShapeLayer> &backgroundLayer() const { return m_backgroundLayer; }
    const std::shared_ptr<platform::ui::ShapeLayer> &progressLayer() const { return m_progressLayer; }

    void layout() override;
    void viewDidChangeEffectiveAppearance() override;

private:
    void updateLayers();
    void drawBackground();
    void drawProgress();

    const std::shared_ptr<platform::ui::ShapeLayer> m_backgroundLayer;
    const std::shared_ptr<platform::ui::ShapeLayer> m_progressLayer;
    double m_value = 0;
    double m_lineWidth = 8;
    bool m_useRoundCap = true;
};

} // namespace pirrow
