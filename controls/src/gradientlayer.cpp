#include "pirrow/gradientlayer.h"

#include "pirrow/screenextensions.h"

namespace pirrow {

using platform::ui::Point;
using platform::ui::Rect;

GradientLayer::GradientLayer(std::shared_ptr<platform::ui::Layer> parent, std::vector<Color> colors, const Rect &frame)
    : m_parentLayer(std::move(parent))
    , m_bounds(frame)
    , m_colors(colors.size() == 1 ? std::vector<Color> { colors.front(), colors.front() } : std::move(colors))
{
}

GradientLayer::~GradientLayer() = default;

void GradientLayer::setStartPoint(Point p)
{
    m_startPoint = p;
    update();
}

void GradientLayer::setEndPoint(Point p)
{
    m_endPoint = p;
    update();
}

void GradientLayer::setLineWidth(double w)
{
    m_lineWidth = w;
    update();
}

void GradientLayer::setStrokeColor(const Color &c)
{
    m_strokeColor = c;
    update();
}

void GradientLayer::setFillColor(std::optional<Color> c)
{
    m_fillColor = std::move(c);
    update();
}

void GradientLayer::setBounds(const Rect &r)
{
    m_bounds = r;
    update();
}

void GradientLayer::setColors(std::vector<Color> colors)
{
    m_colors = std::move(colors);
    update();
}

void GradientLayer::setLineCap(platform::ui::LineCap c)
{
    m_lineCap = c;
    update();
}

void GradientLayer::setLineJoin(platform::ui::LineJoin j)
{
    m_lineJoin = j;
    update();
}

void GradientLayer::setPath(std::optional<platform::ui::Path> p)
{
    m_path = std::move(p);
    update();
}

void GradientLayer::setLineDashPhase(double phase)
{
    m_lineDashPhase = phase;
    update();
}

void GradientLayer::setLineDashPattern(std::optional<std::vector<double>> pattern)
{
    m_lineDashPattern = std::move(pattern);
    update();
}

void GradientLayer::draw() { update(); }

void GradientLayer::addAnimation(const platform::ui::Animation &animation, const QString &key)
{
    m_maskingLayer->addAnimation(animation, key);
}

void GradientLayer::removeFromSuperlayer() { m_gradientLayer->removeFromSuperlayer(); }

void GradientLayer::update()
{
    m_gradientLayer->removeFromSuperlayer();
    const double scale = ScreenExtensions::mainScale();
    const Point centre { m_bounds.midX(), m_bounds.midY() };

    m_maskingLayer->setFrame(m_bounds);
    m_maskingLayer->setPath(m_path);
    m_maskingLayer->setFillColor(m_fillColor);
    m_maskingLayer->setStrokeColor(m_strokeColor);
    m_maskingLayer->setPosition(centre);
    m_maskingLayer->setContentsScale(scale);
    m_maskingLayer->setLineWidth(m_lineWidth);
    m_maskingLayer->setLineCap(m_lineCap);
    m_maskingLayer->setLineDashPhase(m_lineDashPhase);
    m_maskingLayer->setLineDashPattern(m_lineDashPattern.value_or(std::vector<double> {}));
    m_maskingLayer->setLineJoin(m_lineJoin);

    m_gradientLayer->setFrame(m_bounds);
    m_gradientLayer->setColors(m_colors);
    m_gradientLayer->setStartPoint(m_startPoint);
    m_gradientLayer->setEndPoint(m_endPoint);
    m_gradientLayer->setMask(m_maskingLayer);
    m_gradientLayer->setContentsScale(scale);
    m_gradientLayer->setPosition(centre);

    if (m_parentLayer)
        m_parentLayer->addSublayer(m_gradientLayer);
}

} // namespace pirrow
