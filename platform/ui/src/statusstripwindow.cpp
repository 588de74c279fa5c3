#include "platform/ui/statusbar.h"
#include "platform/ui/statusitem.h"
#include "platform/ui/stripstatusbarpresenter.h"
#include "platform/ui/systemappearance.h"
#include "statusstripwindow_p.h"

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
    connect(&SystemAppearance::instance(), &SystemAppearance::changed, this, qOverload<>(&QWidget::update));
    relayout();
}

void StatusStripWindow::follow(StatusItem *item)
{
    if (m_followed.contains(item))
        return;
    m_followed.insert(item);
    // A new picture may come with a new width.
    connect(item, &StatusItem::pictureChanged, this, &StatusStripWindow::scheduleRelayout);
    connect(item, &StatusItem::visibilityChanged, this, &StatusStripWindow::scheduleRelayout);
    connect(item, &QObject::destroyed, this, [this, item] { m_followed.remove(item); });
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
    int right = total - spacing;
    for (const auto &[item, width] : shown) {
        m_cells.append({ item, QRect(right - width, 0, width, height) });
        right -= width + spacing;
    }
    if (shown.isEmpty()) {
        hide();
        return;
    }
    setFixedSize(total, height);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.right() + 1 - total, area.top());
    }
    update();
    if (!isVisible())
        show();
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
        const QImage picture = item->picture(devicePixelRatioF());
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
