#include "quenby/menubarview.h"

#include "quenby/baseview.h"
#include "quenby/internalbatteryview.h"
#include "quenby/leveldrawing.h"

#include <olvane/menubar.h>

#include <QStringList>

namespace quenby {

MenuBarView::MenuBarView(const platform::ui::Rect &frame, QWidget *parent)
    : View(frame, parent)
{
}

QList<platform::ui::View *> MenuBarView::batteryViews() const
{
    QList<platform::ui::View *> views;
    for (const auto &view : m_batteryViews) {
        if (view)
            views.append(view.data());
    }
    return views;
}

void MenuBarView::add(platform::ui::View *view, double x, double width)
{
    view->setFrame(platform::ui::Rect(x, 0, width, olvane::MenuBar::thickness()));
    addSubview(view);
    m_batteryViews.append(view);
    view->setNeedsDisplay();
}

} // namespace quenby

namespace quenby {

namespace {
    std::optional<std::uint8_t> lowestOf(const platform::ui::View *view)
    {
        if (const auto *device = qobject_cast<const BaseView *>(view))
            return device->lowestLevel();
        if (const auto *internal = qobject_cast<const InternalBatteryView *>(view))
            return internal->level();
        return std::nullopt;
    }
}

void MenuBarView::drawTrayRendition(platform::ui::GraphicsContext &context, double side) const
{
    const platform::ui::TrayRendition *chosen = nullptr;
    std::optional<std::uint8_t> lowest;
    for (platform::ui::View *view : batteryViews()) {
        const auto *rendition = dynamic_cast<const platform::ui::TrayRendition *>(view);
        if (!rendition)
            continue;
        const std::optional<std::uint8_t> level = lowestOf(view);
        if (!chosen || (level && (!lowest || *level < *lowest))) {
            chosen = rendition;
            lowest = level;
        }
    }
    if (chosen)
        chosen->drawTrayRendition(context, side);
    else
        LevelDrawing::paintTraySymbol(context, side, QStringLiteral("bolt.fill"));
}

QString MenuBarView::trayToolTip() const
{
    QStringList lines;
    for (platform::ui::View *view : batteryViews()) {
        if (const auto *rendition = dynamic_cast<const platform::ui::TrayRendition *>(view)) {
            const QString line = rendition->trayToolTip();
            if (!line.isEmpty())
                lines.append(line);
        }
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace quenby
