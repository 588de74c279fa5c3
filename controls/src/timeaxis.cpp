#include "pirrow/timeaxis.h"

#include "axistext_p.h"

#include <QDate>

#include <cmath>

namespace pirrow {

using platform::ui::Color;
using platform::ui::Path;
using platform::ui::Rect;
using platform::ui::TextAlignment;

void TimeAxis::removeLayers()
{
    for (const auto &l : m_layers)
        l->removeFromSuperlayer();
    m_layers.clear();
}

void TimeAxis::clear()
{
    m_tickLayer->removeFromSuperlayer();
    removeLayers();
}

void TimeAxis::draw(const std::shared_ptr<platform::ui::Layer> &layer, double)
{
    removeLayers();
    if (!layer)
        return;
    const double W = layer->bounds().width(), H = layer->bounds().height();
    const size_t n = m_timestamps.size();
    const double cw = W / double(n);

    m_tickLayer->removeFromSuperlayer();
    m_tickLayer = platform::ui::ShapeLayer::create();
    m_tickLayer->setLineWidth(1);
    Path ticks;
    for (size_t i = 0; i < n; ++i) {
        const double x = std::trunc(double(i) * cw + cw * 0.1 - 0.5);
        ticks.moveTo({ x, H - 24 });
        ticks.lineTo({ x, H - 22 });
    }
    m_tickLayer->setPath(ticks);
    m_tickLayer->setStrokeColor(m_tickColor);
    m_tickLayer->setFillColor(std::nullopt);
    layer->addSublayer(m_tickLayer);
    m_layers.push_back(m_tickLayer);

    if (m_period == TimePeriod::weekly) {
        placeWeekly(*layer);
        return;
    }
    const platform::ui::Font font = platform::ui::Font::systemFont(10);
    for (size_t i = 0; i < n; ++i) {
        auto label = axisTextLayer(monthShortName(m_timestamps[i]), font, Color::label(), TextAlignment::left);
        label->setWrapped(false);
        label->setFrame(Rect(double(i) * cw + cw * 0.1, H - 20, cw, 20));
        layer->addSublayer(label);
        m_layers.push_back(label);
    }
}

void TimeAxis::placeWeekly(platform::ui::Layer &layer)
{
    const size_t n = m_timestamps.size();
    if (n < 2)
        return;
    const double W = layer.bounds().width(), H = layer.bounds().height();
    const double first = m_timestamps.front(), last = m_timestamps.back();
    const platform::ui::Font font = platform::ui::Font::systemFont(10);
    const auto distance = [&](double t) {
        const QDate day = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(t)).date();
        const QDate monthStart(day.year(), day.month(), 1);
        if (!monthStart.isValid())
            return 0.0;
        const double m = double(monthStart.startOfDay().toSecsSinceEpoch());
        return W / double(n) + (W / (last - first)) * (last - m);
    };
    for (size_t index = n - 1;; index -= 4) {
        const QString name = monthShortName(m_timestamps[index]);
        const double w = measuredText(name, font, { 32, 20 }).width;
        const double limit = W - w / 2 - 4;
        const double d = std::min(limit, distance(m_timestamps[index]));
        const Rect frame(W - d - w / 2, H - 20, w, 20);
        bool overlaps = false;
        for (const auto &placed : m_layers)
            overlaps = overlaps || frame.intersects(placed->frame());
        if (!overlaps) {
            auto label = axisTextLayer(name, font, Color::secondaryLabel(), TextAlignment::center);
            label->setWrapped(false);
            label->setFrame(frame);
            layer.addSublayer(label);
            m_layers.push_back(label);
        }
        if (index < 5 || d == limit)
            break;
    }
}

} // namespace pirrow
