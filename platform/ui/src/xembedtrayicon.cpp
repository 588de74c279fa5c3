#include "../../desktop/src/xcbconnection_p.h"
#include "xembedtrayicon_p.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

#include <cmath>
#include <cstdlib>

namespace platform::ui {

namespace {
    // The tray's window: the owner of the tray selection of the first screen.
    xcb_window_t trayWindow(xcb_connection_t *connection)
    {
        return xcb::selectionOwner(connection, "_NET_SYSTEM_TRAY_S0");
    }

    // Whether the tray asks for icons in a visual with an alpha channel (_NET_SYSTEM_TRAY_VISUAL of
    // depth 32); without one, icons draw over the tray's background.
    bool trayVisualHasAlpha()
    {
        xcb_connection_t *connection = xcb::connection();
        if (!connection)
            return false;
        const xcb_window_t tray = trayWindow(connection);
        if (tray == XCB_NONE)
            return false;
        xcb_get_property_reply_t *property = xcb_get_property_reply(connection,
            xcb_get_property(
                connection, 0, tray, xcb::atom(connection, "_NET_SYSTEM_TRAY_VISUAL"), XCB_ATOM_VISUALID, 0, 1),
            nullptr);
        xcb_visualid_t visual = 0;
        if (property && property->type == XCB_ATOM_VISUALID && xcb_get_property_value_length(property) >= 4)
            visual = *static_cast<const xcb_visualid_t *>(xcb_get_property_value(property));
        free(property);
        if (!visual)
            return false;
        for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection)); screens.rem;
             xcb_screen_next(&screens)) {
            for (auto depths = xcb_screen_allowed_depths_iterator(screens.data); depths.rem; xcb_depth_next(&depths)) {
                for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem;
                     xcb_visualtype_next(&visuals)) {
                    if (visuals.data->visual_id == visual)
                        return depths.data->depth == 32;
                }
            }
        }
        return false;
    }

    // The picture drawn for a square of `pixels`: the smallest one at least that large, else the largest
    // (the pictures come smallest first).
    QImage pictureFor(const QList<QImage> &pictures, int pixels)
    {
        QImage chosen;
        for (const QImage &picture : pictures) {
            chosen = picture;
            if (picture.width() >= pixels)
                break;
        }
        return chosen;
    }
} // namespace

XEmbedTrayWindow::XEmbedTrayWindow(TrayIcon &icon)
    : m_icon(icon)
    , m_alpha(trayVisualHasAlpha())
{
    // The name Qt's X11 platform knows tray icons by, given before the native window is made.
    setObjectName(QStringLiteral("QSystemTrayIconSysWindow"));
    setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
    const QSize size(22, 22);
    resize(size);
    setMinimumSize(size);
    m_toolTip.setSingleShot(true);
    m_toolTip.setInterval(kToolTipDelayMilliseconds);
    connect(&m_toolTip, &QTimer::timeout, this, [this] {
        if (!m_icon.toolTip().isEmpty())
            QToolTip::showText(QCursor::pos(), m_icon.toolTip());
    });
    create();
    xcb_connection_t *connection = xcb::connection();
    if (!connection)
        return;
    const auto window = xcb_window_t(winId());
    if (!m_alpha) {
        const uint32_t parentRelative = XCB_BACK_PIXMAP_PARENT_RELATIVE;
        xcb_change_window_attributes(connection, window, XCB_CW_BACK_PIXMAP, &parentRelative);
    }
    // The system tray protocol's dock request. (Qt sends one too, but only to a tray it has looked up
    // through its native interface, which nothing here asks for.)
    if (const xcb_window_t tray = trayWindow(connection); tray != XCB_NONE) {
        xcb_client_message_event_t request {};
        request.response_type = XCB_CLIENT_MESSAGE;
        request.format = 32;
        request.window = tray;
        request.type = xcb::atom(connection, "_NET_SYSTEM_TRAY_OPCODE");
        request.data.data32[0] = XCB_CURRENT_TIME;
        request.data.data32[1] = 0; // SYSTEM_TRAY_REQUEST_DOCK
        request.data.data32[2] = window;
        xcb_send_event(connection, 0, tray, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&request));
    }
    xcb_flush(connection);
}

void XEmbedTrayWindow::resizeEvent(QResizeEvent *event)
{
    m_background = QPixmap();
    QRasterWindow::resizeEvent(event);
}

bool XEmbedTrayWindow::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter:
        m_toolTip.start();
        break;
    case QEvent::Leave:
        m_toolTip.stop();
        QToolTip::hideText();
        break;
    default:
        break;
    }
    return QRasterWindow::event(event);
}

void XEmbedTrayWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area(QPoint(0, 0), size());
    if (m_alpha) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(area, Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    } else {
        // The tray's background, shown through the window once it is cleared: keep a copy to draw on.
        if (m_background.isNull() && screen()) {
            if (xcb_connection_t *connection = xcb::connection())
                xcb_clear_area(connection, 0, xcb_window_t(winId()), 0, 0, 0, 0);
            m_background = screen()->grabWindow(winId(), 0, 0, area.width(), area.height());
        }
        painter.drawPixmap(0, 0, m_background);
    }
    const int side = std::min(area.width(), area.height());
    const QImage picture = pictureFor(m_icon.pictures(), int(std::ceil(side * devicePixelRatio())));
    if (picture.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect square((area.width() - side) / 2, (area.height() - side) / 2, side, side);
    painter.drawImage(square, picture);
}

void XEmbedTrayWindow::mousePressEvent(QMouseEvent *event)
{
    m_toolTip.stop();
    QToolTip::hideText();
    if (event->button() != Qt::MiddleButton)
        emit m_icon.clicked(event->globalPosition().toPoint());
}

XEmbedTrayIcon::XEmbedTrayIcon()
    : m_window(std::make_unique<XEmbedTrayWindow>(*this))
{
    m_window->show(); // mapped once the tray has taken it in
}

XEmbedTrayIcon::~XEmbedTrayIcon() = default;

void XEmbedTrayIcon::presented(Change change)
{
    if (change == Change::pictures)
        m_window->update();
}

} // namespace platform::ui
