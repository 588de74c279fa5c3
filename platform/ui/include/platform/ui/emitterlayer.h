#pragma once

#include "platform/ui/color.h"
#include "platform/ui/image.h"
#include "platform/ui/layer.h"

#include <optional>
#include <vector>

namespace platform::ui {

/// One kind of particle an emitter layer sends out. Rates are per second, times in seconds, angles in
/// radians (the longitude counter-clockwise from the layer's x axis), velocities in points per second;
/// a `…Range` widens its value by up to that much either way (the emission range is the whole spread).
struct EmitterCell {
    float birthRate = 0;
    float lifetime = 0;
    float lifetimeRange = 0;
    double velocity = 0;
    double velocityRange = 0;
    double emissionLongitude = 0;
    double emissionRange = 0;
    double spin = 0;
    double spinRange = 0;
    double scale = 1;
    double scaleRange = 0;
    float scaleSpeed = 0;
    double contentsScale = 1;
    /// The picture of every particle; none shows nothing.
    std::optional<Image> contents;
    /// Multiplies the picture's colours.
    Color color = Color::white();
};

/// Where particles are born: at the position, or anywhere along a line of the size's width centred on it.
enum class EmitterShape { point, line };

/// A layer that emits particles of its cells from its emitter shape, from the moment the cells are set.
/// Particles follow from the clock alone (each one's spread is a fixed function of its cell and number),
/// so a picture at a given time is always the same; while it has cells the layer keeps an endless
/// "emission" animation so that its view keeps repainting.
class EmitterLayer : public Layer {
public:
    EmitterLayer() = default;
    static std::shared_ptr<EmitterLayer> create() { return std::make_shared<EmitterLayer>(); }

    Point emitterPosition() const { return m_emitterPosition; }
    void setEmitterPosition(Point p);
    EmitterShape emitterShape() const { return m_emitterShape; }
    void setEmitterShape(EmitterShape shape);
    Size emitterSize() const { return m_emitterSize; }
    void setEmitterSize(Size size);
    const std::vector<EmitterCell> &emitterCells() const { return m_cells; }
    /// Replaces the cells; emission starts again now.
    void setEmitterCells(std::vector<EmitterCell> cells);

    struct Particle {
        size_t cell = 0;
        Point position;
        double angle = 0;
        double scale = 1;
    };
    /// The particles alive at `seconds` since the cells were set.
    std::vector<Particle> particlesAt(double seconds) const;

    void drawInContext(GraphicsContext &context) const override;

protected:
    EmitterLayer(const EmitterLayer &other, int copyTag);
    std::shared_ptr<Layer> makeCopy() const override;

private:
    Point m_emitterPosition;
    EmitterShape m_emitterShape = EmitterShape::point;
    Size m_emitterSize;
    std::vector<EmitterCell> m_cells;
    double m_started = 0;
};

} // namespace platform::ui
