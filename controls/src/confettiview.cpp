#include "pirrow/confettiview.h"

#include "pirrow/screenextensions.h"

#include <numbers>

namespace pirrow {

using namespace platform::ui;

ConfettiView::ConfettiView(const Rect &frame, QWidget *parent)
    : View(frame, parent)
    , m_emitterLayer(EmitterLayer::create())
    , m_colors { Color::fromRGB255(0, 198, 218), Color::fromRGB255(253, 237, 0), Color::fromRGB255(187, 0, 92),
        Color::fromRGB255(223, 162, 0), Color::fromRGB255(192, 204, 41), Color::fromRGB255(152, 82, 148) }
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setWantsLayer(true);
    layer()->setMasksToBounds(true);
}

void ConfettiView::setContent(std::optional<Image> content)
{
    m_content = std::move(content);
    if (m_isActive) {
        m_isActive = false;
        start();
    }
}

void ConfettiView::layout()
{
    View::layout();
    m_emitterLayer->setFrame(bounds());
    m_emitterLayer->setEmitterSize({ frame().width(), 1 });
}

void ConfettiView::mouseDown(const MouseEvent &) { }

void ConfettiView::start()
{
    if (m_isActive)
        return;
    m_isActive = true;
    const double w = frame().width();
    m_emitterLayer->setEmitterPosition({ w / 2, 0 });
    m_emitterLayer->setEmitterShape(EmitterShape::line);
    m_emitterLayer->setEmitterSize({ w, 1 });

    std::vector<EmitterCell> cells;
    for (const Color &color : m_colors) {
        EmitterCell cell;
        cell.birthRate = 3;
        cell.lifetime = 7;
        cell.lifetimeRange = 0;
        cell.velocity = 175;
        cell.velocityRange = 40;
        cell.emissionLongitude = std::numbers::pi;
        cell.emissionRange = std::numbers::pi / 4;
        cell.spin = 1.75;
        cell.spinRange = 2;
        cell.scaleRange = 0;
        cell.scaleSpeed = -0.05f;
        cell.contentsScale = ScreenExtensions::mainScale();
        if (m_content && m_content->hasContent())
            cell.contents = m_content;
        cell.color = color;
        cells.push_back(cell);
    }
    m_emitterLayer->setEmitterCells(std::move(cells));
    // The emitter covers the whole view as the view's drawing.
    m_emitterLayer->setFrame(bounds());
    layer()->addSublayer(m_emitterLayer);
}

} // namespace pirrow
