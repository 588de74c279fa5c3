#include "pirrow/valueaxis.h"

#include "axistext_p.h"

#include <platform/core/format.h>

#include <QRegularExpression>

#include <algorithm>

namespace pirrow {

using platform::ui::Color;
using platform::ui::Rect;

ValueAxis::ValueAxis(double min, double max, int segmentCount)
    : m_min(min)
    , m_max(max)
    , m_segmentCount(segmentCount)
{
}

namespace {

    /// Whether `format` takes exactly one double: one floating-point conversion, other percent signs
    /// only doubled. Anything else would read arguments that are not there.
    bool takesOneDouble(const QString &format)
    {
        static const QRegularExpression conversion(QStringLiteral("%%|%[-+ #0]*[0-9]*(\\.[0-9]*)?[fFeEgGaA]|%"));
        int doubles = 0;
        for (auto it = conversion.globalMatch(format); it.hasNext();) {
            const QString match = it.next().captured();
            if (match == QLatin1String("%%"))
                continue;
            if (match == QLatin1String("%"))
                return false;
            ++doubles;
        }
        return doubles == 1;
    }

} // namespace

void ValueAxis::removeLayers()
{
    for (const auto &l : m_layers)
        l->removeFromSuperlayer();
    m_layers.clear();
}

void ValueAxis::clear() { removeLayers(); }

QString ValueAxis::text(double value) const
{
    if (m_formatType == FormatType::monthShortName)
        return monthShortName(value);
    if (!takesOneDouble(m_formatString))
        return {};
    const QByteArray format = m_formatString.toUtf8();
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    const QString number = platform::format(format.constData(), value);
#pragma GCC diagnostic pop
    return m_unit ? number + QLatin1Char(' ') + *m_unit : number;
}

void ValueAxis::draw(const std::shared_ptr<platform::ui::Layer> &layer, double)
{
    removeLayers();
    if (m_formatString.isEmpty() || !takesOneDouble(m_formatString) || !(m_max > 0) || !(m_max > m_min) || !layer)
        return;
    const double W = layer->bounds().width(), H = layer->bounds().height();
    const int segments = std::max(1, m_segmentCount);
    const platform::ui::Font font = platform::ui::Font::systemFont(m_fontSize, m_fontWeight);
    const auto add = [&](double value, auto xOf) {
        const QString t = text(value);
        const auto size = measuredText(t, font, layer->frame().size);
        auto label = axisTextLayer(t, font, Color::secondaryLabel(), platform::ui::TextAlignment::center);
        label->setFrame(Rect(xOf(size.width), H - 12 - size.height / 2, size.width, size.height));
        layer->addSublayer(label);
        m_layers.push_back(label);
    };
    add(m_min, [](double) { return 4.0; });
    add(m_max, [&](double w) { return W - w - 4; });
    for (int n = 1; n < segments; ++n)
        add(m_min + (m_max - m_min) / segments * n, [&](double w) { return n * W / segments - w / 2; });
}

} // namespace pirrow
