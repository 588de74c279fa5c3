#pragma once

#include <platform/ui/color.h>
#include <platform/ui/gradientlayer.h>
#include <platform/ui/view.h>

#include <memory>
#include <vector>

namespace pirrow {

/// A rounded border painted with a gradient: one gradient layer over the bounds, masked by the
/// stroked outline (the stroke is centred on the edge, so its inner half shows).
///
/// Like a view from an interface file, it shows its border once it has a layer: `awakeFromNib` (or
/// `setWantsLayer(true)`) gives it one; without, nothing is drawn.
class GradientBorderView : public platform::ui::View {
    Q_OBJECT
public:
    explicit GradientBorderView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// Finishes a view built by a storyboard factory: makes it layer-backed.
    void awakeFromNib();

    const std::shared_ptr<platform::ui::GradientLayer> &gradientLayer() const { return m_gradientLayer; }
    /// Default: the teal-to-cyan colours.
    const std::vector<platform::ui::Color> &colors() const { return m_colors; }
    void setColors(std::vector<platform::ui::Color> colors);
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius);
    /// Default: four device pixels of the main screen.
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double width);

    void update();
    void layout() override;

private:
    const std::shared_ptr<platform::ui::GradientLayer> m_gradientLayer;
    std::vector<platform::ui::Color> m_colors;
    double m_cornerRadius = 8;
    double m_lineWidth;
};

} // namespace pirrow
