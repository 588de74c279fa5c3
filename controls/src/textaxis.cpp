#include "pirrow/textaxis.h"

#include "axistext_p.h"

#include <platform/ui/basicanimation.h>

#include <cmath>

namespace pirrow {

using platform::ui::Color;
using platform::ui::Path;
using platform::ui::Rect;
using platform::ui::TextAlignment;

namespace {

    void animateColour(platform::ui::Layer &layer, const QString &key, const Color &to)
    {
        platform::ui::BasicAnimation a(key);
        a.setToValue(to);
        a.setDuration(0.2);
        a.setTimingFunction(platform::ui::TimingFunction::named(platform::ui::TimingFunction::Name::easeInEaseOut));
        a.setFillMode(platform::ui::FillMode::forwards);
        a.setRemovedOnCompletion(false);
        layer.addAnimation(a, key);
    }

} // namespace

void TextAxis::removeLayers()
{
    for (const auto &l : m_layers)
        l->removeFromSuperlayer();
    for (const auto &l : m_fillLayers)
        l->removeFromSuperlayer();
    m_layers.clear();
    m_fillLayers.clear();
}

void TextAxis::clear() { removeLayers(); }

void TextAxis::draw(const std::shared_ptr<platform::ui::Layer> &layer, double lineWidth)
{
    removeLayers();
    if (!layer || m_texts.empty())
        return;
    if (m_alignMode == TextAlignMode::evenly)
        drawEvenly(*layer, lineWidth);
    else
        drawCentered(*layer);
}

void TextAxis::drawEvenly(platform::ui::Layer &layer, double lineWidth)
{
    const size_t n = m_texts.size();
    const double k = m_fillLabel ? 18 : 12;
    const double W = layer.bounds().width(), H = layer.bounds().height();
    const platform::ui::Font font = platform::ui::Font::systemFont(m_fontSize, m_fontWeight);
    for (size_t i = 0; i < n; ++i) {
        if (m_texts[i].isEmpty())
            continue;
        const auto size = measuredText(m_texts[i], font, layer.frame().size);
        const double y = H - k - size.height / 2;
        Rect frame;
        TextAlignment alignment;
        if (i == 0) {
            frame = Rect(2, y, size.width, size.height);
            alignment = TextAlignment::left;
        } else if (i == n - 1) {
            frame = Rect(W - size.width - 2, y, size.width, size.height);
            alignment = TextAlignment::right;
        } else {
            frame = Rect(double(i) * W / double(n - 1) - lineWidth / 2 - size.width / 2, y, size.width, size.height);
            alignment = TextAlignment::center;
        }
        auto text = axisTextLayer(m_texts[i], font, Color::secondaryLabel(), alignment);
        text->setFrame(frame);
        layer.addSublayer(text);
        m_layers.push_back(text);
    }
}

void TextAxis::drawCentered(platform::ui::Layer &layer)
{
    const size_t n = m_texts.size();
    const double W = layer.bounds().width(), H = layer.bounds().height();
    const double D = W / double(n), s = height(), k = m_fillLabel ? 18 : 12;
    const platform::ui::Font font = platform::ui::Font::systemFont(m_fontSize, m_fontWeight);
    const platform::ui::Font detailFont = platform::ui::Font::systemFont(m_detailFontSize, m_fontWeight);
    const bool withDetails = m_details.size() == n;
    const auto cellEdge = [&](size_t j) { return j >= n - 1 ? W : std::trunc(W / double(n)) * double(j + 1); };
    for (size_t i = 0; i < n; ++i) {
        if (m_texts[i].isEmpty())
            continue;
        const bool selected = m_fillLabel && m_selectedIndex && *m_selectedIndex == int(i);
        const Color colour = selected ? m_selectedTextColor : Color::secondaryLabel();
        auto text = axisTextLayer(m_texts[i], font, colour, TextAlignment::center);
        const double h = measuredText(m_texts[i], font, layer.frame().size).height;
        if (withDetails) {
            text->setFrame(Rect(double(i) * D, H - s + 2, D, h));
            if (const auto &detail = m_details[i]) {
                auto detailLayer = axisTextLayer(*detail, detailFont, colour, TextAlignment::center);
                const double dh = measuredText(*detail, detailFont, layer.frame().size).height;
                detailLayer->setFrame(Rect(double(i) * D, H - s + h + 4, D, dh));
                layer.addSublayer(detailLayer);
                m_layers.push_back(detailLayer);
            }
        } else {
            text->setFrame(Rect(double(i) * D, H - k - h / 2, D, h));
        }
        if (m_fillLabel) {
            const bool isSelected = m_selectedIndex && *m_selectedIndex == int(i);
            auto fill = platform::ui::ShapeLayer::create();
            fill->setFillColor(isSelected ? m_selectedColor : m_fillColor);
            fill->setStrokeColor(std::nullopt);
            const double left = i == 0 ? 0 : cellEdge(i - 1), right = cellEdge(i);
            fill->setPath(Path::rect(Rect(left + m_fillOffset / 2, H - 36, right - left, 36)));
            layer.addSublayer(fill);
            m_fillLayers.push_back(fill);
        }
        layer.addSublayer(text);
        m_layers.push_back(text);
    }
}

void TextAxis::setSelectedIndex(std::optional<int> index)
{
    const auto old = std::exchange(m_selectedIndex, index);
    if (old == index)
        return;
    if (old && *old >= 0 && size_t(*old) < m_fillLayers.size()) {
        animateColour(*m_fillLayers[size_t(*old)], QStringLiteral("fillColor"), m_fillColor);
        if (size_t(*old) < m_layers.size())
            animateColour(*m_layers[size_t(*old)], QStringLiteral("foregroundColor"), Color::secondaryLabel());
    }
    if (index && *index >= 0 && size_t(*index) < m_fillLayers.size() && size_t(*index) < m_layers.size()) {
        animateColour(*m_fillLayers[size_t(*index)], QStringLiteral("fillColor"), m_selectedColor);
        animateColour(*m_layers[size_t(*index)], QStringLiteral("foregroundColor"), m_selectedTextColor);
    }
}

} // namespace pirrow
