#pragma once

#include "platform/ui/layer.h"

namespace platform::ui {

/// A layer filled with a colour gradient over its bounds. `startPoint` and `endPoint` are unit
/// coordinates of the bounds (default from the bottom centre (0.5, 0) to the top centre (0.5, 1));
/// the end colours continue beyond them. Axial gradients run along the line; radial ones are
/// circles around `startPoint` whose last colour lies at `endPoint`. Animatable keys: "startPoint",
/// "endPoint".
class GradientLayer : public Layer {
public:
    enum class Type { axial, radial };

    GradientLayer() = default;
    static std::shared_ptr<GradientLayer> create() { return std::make_shared<GradientLayer>(); }

    const std::vector<Color> &colors() const { return m_colors; }
    void setColors(std::vector<Color> colors);
    /// One location (0…1) per colour; empty spreads them evenly.
    const std::vector<double> &locations() const { return m_locations; }
    void setLocations(std::vector<double> locations);
    Point startPoint() const { return m_startPoint; }
    void setStartPoint(Point p);
    Point endPoint() const { return m_endPoint; }
    void setEndPoint(Point p);
    Type type() const { return m_type; }
    void setType(Type t);

    void drawInContext(GraphicsContext &context) const override;
    std::optional<LayerValue> valueForKey(const QString &keyPath) const override;
    bool setValueForKey(const QString &keyPath, const LayerValue &value) override;

protected:
    GradientLayer(const GradientLayer &other, int copyTag);
    std::shared_ptr<Layer> makeCopy() const override;

private:
    std::vector<Color> m_colors;
    std::vector<double> m_locations;
    Point m_startPoint { 0.5, 0 };
    Point m_endPoint { 0.5, 1 };
    Type m_type = Type::axial;
};

} // namespace platform::ui
