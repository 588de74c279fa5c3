#include "pirrow/taglabel.h"

#include "pirrow/screenextensions.h"

#include <platform/ui/text.h>

#include <cmath>
#include <limits>

namespace pirrow {

using namespace platform::ui;

namespace {

/// The whole part of a size, or none when it is not finite or does not fit a 64-bit whole number.
std::optional<double> wholeSize(double value)
{
    constexpr double limit = 9.2e18;
    if (!std::isfinite(value) || std::abs(value) >= limit)
        return std::nullopt;
    return double(static_cast<long long>(value));
}

} // namespace

TagLabel::TagLabel(const Rect &frame, QWidget *parent)
    : TextField(frame, parent)
    , m_color(Color::systemGreen())
{
    setWantsLayer(true);
    setTranslatesAutoresizingMaskIntoConstraints(false);
    layer()->setMasksToBounds(true);
    layer()->setCornerRadius(4);
}

void TagLabel::setStringValue(const QString &text)
{
    TextField::setStringValue(text);
    update();
}

void TagLabel::setColor(const Color &color)
{
    m_color = color;
    update();
}

void TagLabel::setOffset(double offset)
{
    m_offset = offset;
    update();
}

void TagLabel::setProgress(std::optional<double> progress)
{
    m_progress = progress;
    update();
}

void TagLabel::setHeightOffset(double offset)
{
    m_heightOffset = offset;
    update();
}

void TagLabel::update()
{
    setTextColor(m_color);
    layer()->setCornerRadius(4);
    layer()->setBackgroundColor(m_color.withAlphaComponent(0.22).resolved(effectiveAppearance()));

    if (m_autoCalculateSize) {
        TextAttributes attributes;
        attributes.font = font();
        const Size text = Text::size(stringValue(), attributes);
        const auto width = wholeSize(2 * m_offset + (text.width + 1));
        const auto height = wholeSize((text.height + 1) + m_heightOffset);
        // A size that cannot be a whole number of points leaves the constraints as they are.
        if (width && height) {
            setSizeConstraint(QStringLiteral("width"), widthAnchor(), *width);
            setSizeConstraint(QStringLiteral("height"), heightAnchor(), *height);
        }
    }

    if (m_progressLayer)
        m_progressLayer->removeFromSuperlayer();
    if (m_progress) {
        const double p = std::clamp(*m_progress, 0.0, 1.0);
        const Rect b = bounds();
        auto fill = ShapeLayer::create();
        fill->setFrame(b);
        fill->setContentsScale(ScreenExtensions::mainScale());
        fill->setPath(Path::rect(Rect(0, 0, p * b.width(), b.height())));
        fill->setCornerRadius(4);
        fill->setFillColor(m_color.withAlphaComponent(0.25).resolved(effectiveAppearance()));
        fill->setStrokeColor(std::nullopt);
        m_progressLayer = fill;
        layer()->addSublayer(fill);
    }
    layout();
}

void TagLabel::setSizeConstraint(const QString &identifier, LayoutAnchor anchor, double constant)
{
    for (const auto &existing : constraints()) {
        if (existing->identifier() == identifier) {
            existing->setConstant(constant);
            return;
        }
    }
    const auto made = anchor.constraintEqualToConstant(constant);
    made->setIdentifier(identifier);
    addConstraint(made);
}

} // namespace pirrow
