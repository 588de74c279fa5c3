#include "quenby/menubarview.h"

#include "quenby/baseview.h"
#include "quenby/internalbatteryview.h"
#include "quenby/leveldrawing.h"

#include <olvane/menubar.h>

#include <QStringList>

#include <algorithm>
#include <numeric>
#include <vector>

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
    struct Shown {
        const platform::ui::TrayRendition *rendition;
        std::optional<std::uint8_t> level;
    };
    std::vector<Shown> shown;
    for (platform::ui::View *view : batteryViews()) {
        if (const auto *rendition = dynamic_cast<const platform::ui::TrayRendition *>(view))
            shown.push_back({ rendition, lowestOf(view) });
    }
    if (shown.empty()) {
        LevelDrawing::paintTraySymbol(context, side, QStringLiteral("bolt.fill"));
        return;
    }
    // The grid keeps a point clear of every edge: cells drawn edge to edge would touch the tray's
    // neighbours and run under the plate's rounded corners.
    const double grid = side - 2;
    const int perRow = std::max(1, int(grid * context.backingScale() / kMinimumCellPixels));
    const std::size_t cells = std::size_t(perRow) * perRow;
    if (shown.size() > cells) {
        // The lowest levels first (a view without one last), the first of equals; then back in order.
        std::vector<std::size_t> order(shown.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&shown](std::size_t a, std::size_t b) {
            const std::optional<std::uint8_t> &la = shown[a].level;
            const std::optional<std::uint8_t> &lb = shown[b].level;
            return la && (!lb || *la < *lb);
        });
        order.resize(cells);
        std::sort(order.begin(), order.end());
        std::vector<Shown> kept;
        for (std::size_t index : order)
            kept.push_back(shown[index]);
        shown = std::move(kept);
    }
    if (cells == 1) {
        shown.front().rendition->drawTrayRendition(context, side);
        return;
    }
    const double cell = grid / perRow;
    const int rows = int((shown.size() + perRow - 1) / perRow);
    const double top = (side - rows * cell) / 2;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const int row = int(i / perRow);
        const int inRow = row + 1 < rows ? perRow : int(shown.size() - std::size_t(row) * perRow);
        const double x = (side - inRow * cell) / 2 + double(i % perRow) * cell;
        const double y = side - top - (row + 1) * cell;
        context.save();
        context.translate(x, y);
        context.scale(cell / side, cell / side);
        shown[i].rendition->drawTrayRendition(context, side);
        context.restore();
    }
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
