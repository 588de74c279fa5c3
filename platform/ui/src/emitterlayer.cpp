#include "platform/ui/emitterlayer.h"

#include "platform/ui/basicanimation.h"
#include "platform/ui/graphicscontext.h"

#include <cmath>
#include <limits>

namespace platform::ui {

namespace {

/// A fixed pseudo-random number in [0, 1) for one particle and one of its properties.
double spread(size_t cell, long long particle, int property)
{
    unsigned long long x = (static_cast<unsigned long long>(cell) * 0x9E3779B97F4A7C15ull)
        ^ (static_cast<unsigned long long>(particle) * 0xBF58476D1CE4E5B9ull)
        ^ (static_cast<unsigned long long>(property) * 0x94D049BB133111EBull);
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    x ^= x >> 31;
    return double(x >> 11) / double(1ull << 53);
}

/// -1 … 1
double signedSpread(size_t cell, long long particle, int property) { return spread(cell, particle, property) * 2 - 1; }

} // namespace

EmitterLayer::EmitterLayer(const EmitterLayer &other, int copyTag)
    : Layer(other, copyTag)
    , m_emitterPosition(other.m_emitterPosition)
    , m_emitterShape(other.m_emitterShape)
    , m_emitterSize(other.m_emitterSize)
    , m_cells(other.m_cells)
    , m_started(other.m_started)
{
}

std::shared_ptr<Layer> EmitterLayer::makeCopy() const { return std::shared_ptr<Layer>(new EmitterLayer(*this, 0)); }

void EmitterLayer::setEmitterPosition(Point p)
{
    m_emitterPosition = p;
    changed();
}

void EmitterLayer::setEmitterShape(EmitterShape shape)
{
    m_emitterShape = shape;
    changed();
}

void EmitterLayer::setEmitterSize(Size size)
{
    m_emitterSize = size;
    changed();
}

void EmitterLayer::setEmitterCells(std::vector<EmitterCell> cells)
{
    m_cells = std::move(cells);
    m_started = Animation::mediaTime();
    removeAnimation(QStringLiteral("emission"));
    if (!m_cells.empty()) {
        // Keeps the view repainting while particles fly; the opacity it "animates" stays the same.
        BasicAnimation emission(QStringLiteral("opacity"));
        emission.setFromValue(opacity());
        emission.setToValue(opacity());
        emission.setDuration(1);
        emission.setRepeatCount(std::numeric_limits<double>::infinity());
        addAnimation(emission, QStringLiteral("emission"));
    }
    changed();
}

std::vector<EmitterLayer::Particle> EmitterLayer::particlesAt(double seconds) const
{
    std::vector<Particle> particles;
    for (size_t c = 0; c < m_cells.size(); ++c) {
        const EmitterCell &cell = m_cells[c];
        if (cell.birthRate <= 0 || seconds < 0)
            continue;
        const double longest = double(cell.lifetime) + std::abs(double(cell.lifetimeRange));
        const auto last = static_cast<long long>(std::floor(seconds * cell.birthRate));
        const auto first = std::max(0LL, static_cast<long long>(std::floor((seconds - longest) * cell.birthRate)));
        for (long long k = first; k <= last; ++k) {
            const double age = seconds - double(k) / cell.birthRate;
            const double lifetime = cell.lifetime + cell.lifetimeRange * signedSpread(c, k, 0);
            if (age < 0 || age >= lifetime)
                continue;
            Point origin = m_emitterPosition;
            if (m_emitterShape == EmitterShape::line)
                origin.x += m_emitterSize.width * 0.5 * signedSpread(c, k, 1);
            const double direction = cell.emissionLongitude + cell.emissionRange * 0.5 * signedSpread(c, k, 2);
            const double speed = cell.velocity + cell.velocityRange * signedSpread(c, k, 3);
            Particle p;
            p.cell = c;
            p.position = { origin.x + speed * age * std::cos(direction), origin.y + speed * age * std::sin(direction) };
            p.angle = (cell.spin + cell.spinRange * signedSpread(c, k, 4)) * age;
            p.scale = std::max(0.0, cell.scale + cell.scaleRange * signedSpread(c, k, 5) + cell.scaleSpeed * age);
            particles.push_back(p);
        }
    }
    return particles;
}

void EmitterLayer::drawInContext(GraphicsContext &context) const
{
    if (m_cells.empty())
        return;
    for (const Particle &p : particlesAt(Animation::mediaTime() - m_started)) {
        const EmitterCell &cell = m_cells[p.cell];
        if (!cell.contents || p.scale <= 0)
            continue;
        const Size size = cell.contents->size();
        context.save();
        context.translate(p.position.x, p.position.y);
        context.rotate(p.angle);
        context.scale(p.scale, p.scale);
        const Rect box(-size.width / 2, -size.height / 2, size.width, size.height);
        context.beginTransparencyLayer();
        context.drawImage(*cell.contents, box);
        context.setCompositeOperation(CompositeOperation::multiply);
        context.fillRect(box, cell.color);
        context.setCompositeOperation(CompositeOperation::destinationIn);
        context.drawImage(*cell.contents, box);
        context.endTransparencyLayer();
        context.restore();
    }
}

} // namespace platform::ui
