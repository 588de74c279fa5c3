#pragma once

#include <platform/ui/trayrendition.h>
#include <platform/ui/view.h>

#include <QList>
#include <QPointer>

namespace quenby {

/// The content of the one combined status item: the battery views side by side, left to right in the
/// order they were added. It owns them as subviews. Main thread only.
class MenuBarView : public platform::ui::View, public platform::ui::TrayRendition {
    Q_OBJECT
public:
    explicit MenuBarView(const platform::ui::Rect &frame = platform::ui::Rect(), QWidget *parent = nullptr);

    /// The views added, in order (those destroyed since are left out).
    QList<platform::ui::View *> batteryViews() const;

    /// Places the view at (x, 0) with the width and the status bar's thickness, adds it as a subview
    /// and to batteryViews, and marks it for redrawing. `x` is the sum of the widths added before.
    void add(platform::ui::View *view, double x, double width);

    /// Device pixels a cell of the combined rendition needs at least: the views' own renditions are
    /// made for a square of 22.
    static constexpr double kMinimumCellPixels = 20;
    /// The views' own renditions in small, in a grid of cells of at least kMinimumCellPixels within a
    /// point of the square's edges (one cell at 22 and 32 pixels, 2 × 2 at 44 and 64), rows filled from
    /// the top and centred: the views with the lowest levels (the ones to watch) when there are more,
    /// in their order. With one cell, the rendition of the view whose level is lowest. The application
    /// symbol without views.
    void drawTrayRendition(platform::ui::GraphicsContext &context, double side) const override;
    /// Every view's line, in order.
    QString trayToolTip() const override;

private:
    QList<QPointer<platform::ui::View>> m_batteryViews;
};

} // namespace quenby
