#include "platform/ui/statusbar.h"
#include "platform/ui/statusitem.h"
#include "platform/ui/stripstatusbarpresenter.h"
#include "platform/ui/systemappearance.h"
#include "statusstripwindow_p.h"
#include "../../desktop/src/xcbconnection_p.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <cmath>

namespace platform::ui {

StatusStripWindow::StatusStripWindow(StatusBar &bar)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
    , m_bar(bar)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("Status bar"));
    connect(&bar, &StatusBar::itemsChanged, this, &StatusStripWindow::scheduleRelayout);
    connect(&bar, &StatusBar::thicknessChanged, this, &StatusStripWindow::scheduleRelayout);
    // Every picture is drawn anew in the other appearance.
    connect(&SystemAppearance::instance(), &SystemAppearance::changed, this, &StatusStripWindow::scheduleRelayout);
    relayout();
}

void StatusStripWindow::follow(StatusItem *item)
{
    if (m_followed.contains(item))
        return;
    m_followed.insert(item);
    connect(item, &StatusItem::pictureChanged, this, [this, item] { pictureChanged(item); });
    connect(item, &StatusItem::visibilityChanged, this, &StatusStripWindow::scheduleRelayout);
    connect(item, &QObject::destroyed, this, [this, item] {
        m_followed.remove(item);
        m_pictures.remove(item);
    });
}

void StatusStripWindow::pictureChanged(StatusItem *item)
{
    const QRect cell = itemRect(item);
    // A new picture may come with a new width.
    if (cell.isEmpty() || cell.width() != int(std::ceil(item->width() - 1e-9))) {
        scheduleRelayout();
        return;
    }
    const QImage picture = item->picture(devicePixelRatioF());
    if (picture == m_pictures.value(item))
        return;
    m_pictures.insert(item, picture);
    ++m_pictureUpdates;
    update(cell);
}

void StatusStripWindow::scheduleRelayout()
{
    if (m_relayoutScheduled)
        return;
    m_relayoutScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_relayoutScheduled = false;
            relayout();
        },
        Qt::QueuedConnection);
}

void StatusStripWindow::relayout()
{
    const int spacing = int(StripStatusBarPresenter::kSpacing);
    const int height = int(std::ceil(m_bar.thickness() - 1e-9));
    QList<QPair<StatusItem *, int>> shown;
    int total = spacing;
    for (StatusItem *item : m_bar.items()) {
        follow(item);
        if (!item->isVisible())
            continue;
        const int width = int(std::ceil(item->width() - 1e-9));
        shown.append({ item, width });
        total += width + spacing;
    }
    // Oldest at the right edge, like a menu bar.
    m_cells.clear();
    m_pictures.clear();
    int right = total - spacing;
    for (const auto &[item, width] : shown) {
        m_cells.append({ item, QRect(right - width, 0, width, height) });
        m_pictures.insert(item, item->picture(devicePixelRatioF()));
        right -= width + spacing;
    }
    if (shown.isEmpty()) {
        hide();
        return;
    }
    setFixedSize(total, height);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        // Our own strut shrinks the available area: keep the top we were first given.
        if (!m_top)
            m_top = area.top();
        move(area.right() + 1 - total, *m_top);
    }
    update();
    markAsDock();
    if (!isVisible())
        show();
}

void StatusStripWindow::markAsDock()
{
    xcb_connection_t *connection = xcb::connection();
    if (!connection)
        return;
    const auto atom = [connection](const char *name) { return xcb::atom(connection, name); };
    // The native window exists from here on; the type must be on it before it is mapped.
    const auto window = xcb_window_t(winId());
    const xcb_atom_t dock = atom("_NET_WM_WINDOW_TYPE_DOCK");
    xcb_change_property(
        connection, XCB_PROP_MODE_REPLACE, window, atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1, &dock);
    // Reserve the strip's height along the top edge, over its own width only.
    const QRect g = geometry();
    const double ratio = devicePixelRatioF();
    const auto top = uint32_t(std::ceil((g.bottom() + 1) * ratio));
    const auto left = uint32_t(std::max(0.0, g.left() * ratio));
    const auto right = uint32_t(std::max(0.0, (g.right() + 1) * ratio - 1));
    const uint32_t partial[12] = { 0, 0, top, 0, 0, 0, 0, 0, left, right, 0, 0 };
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom("_NET_WM_STRUT_PARTIAL"),
        XCB_ATOM_CARDINAL, 32, 12, partial);
    xcb_change_property(
        connection, XCB_PROP_MODE_REPLACE, window, atom("_NET_WM_STRUT"), XCB_ATOM_CARDINAL, 32, 4, partial);
    xcb_flush(connection);
}

QRect StatusStripWindow::itemRect(const StatusItem *item) const
{
    for (const auto &[cellItem, rect] : m_cells)
        if (cellItem == item)
            return rect;
    return {};
}

void StatusStripWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool dark = SystemAppearance::instance().effective().isDark();
    painter.fillRect(rect(), dark ? QColor(38, 38, 40) : QColor(236, 236, 236));
    for (const auto &[item, r] : std::as_const(m_cells)) {
        if (!item)
            continue;
        const QImage picture = m_pictures.value(item.data());
        if (!picture.isNull())
            painter.drawImage(QRectF(r.topLeft(), QSizeF(picture.size()) / picture.devicePixelRatio()), picture);
    }
}

void StatusStripWindow::mousePressEvent(QMouseEvent *event)
{
    for (const auto &[item, r] : std::as_const(m_cells)) {
        if (item && r.contains(event->position().toPoint())) {
            item->click(mapToGlobal(r.bottomLeft() + QPoint(0, 1)));
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

} // namespace platform::ui
