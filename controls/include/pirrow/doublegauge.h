#pragma once

#include <platform/ui/color.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/view.h>

#include <memory>

namespace pirrow {

/// Two speedometer arcs for two values: `value1` on the larger ring in `colorInner`, `value2` on a ring
/// inside it in `colorOuter`. The four layers live as long as the view; every layout configures them again
/// (inner track, outer track, inner fill, outer fill, bottom to top). Values are used as given.
class DoubleGauge : public platform::ui::View {
    Q_OBJECT
public:
    explicit DoubleGauge(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Makes the view layer-backed (also done on construction).
    void awakeFromNib();

    /// Default 5.
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double width);
    double value1() const { return m_value1; }
    void setValue1(double value);
    double value2() const { return m_value2; }
    void setValue2(double value);
    /// Colours of the `value1` and `value2` rings; tracks show them at alpha 0.1. Default the separator colour.
    const platform::ui::Color &colorInner() const { return m_colorInner; }
    void setColorInner(const platform::ui::Color &color);
    const platform::ui::Color &colorOuter() const { return m_colorOuter; }
    void setColorOuter(const platform::ui::Color &color);

    const std::shared_ptr<platform::ui::ShapeLayer> &backgroundLayerInner() const { return m_backgroundLayerInner; }
    const std::shared_ptr<platform::ui::ShapeLayer> &backgroundLayerOuter() const { return m_backgroundLayerOuter; }
    const std::shared_ptr<platform::ui::ShapeLayer> &progressLayerInner() const { return m_progressLayerInner; }
    const std::shared_ptr<platform::ui::ShapeLayer> &progressLayerOuter() const { return m_progressLayerOuter; }

    void layout() override;
    void viewDidChangeEffectiveAppearance() override;

private:
    void drawInnerBackground();
    void drawOuterBackground();
    void drawInnerProgress();
    void drawOuterProgress();
    void attach(const std::shared_ptr<platform::ui::ShapeLayer> &layer, void (DoubleGauge::*configure)());

    const std::shared_ptr<platform::ui::ShapeLayer> m_backgroundLayerInner;
    const std::shared_ptr<platform::ui::ShapeLayer> m_backgroundLayerOuter;
    const std::shared_ptr<platform::ui::ShapeLayer> m_progressLayerInner;
    const std::shared_ptr<platform::ui::ShapeLayer> m_progressLayerOuter;
    double m_lineWidth = 5;
    double m_value1 = 0;
    double m_value2 = 0;
    platform::ui::Color m_colorInner;
    platform::ui::Color m_colorOuter;
};

} // namespace pirrow
