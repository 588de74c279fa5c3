#include "platform/ui/statusitem.h"

#include "platform/ui/menu.h"
#include "platform/ui/statusbar.h"
#include "platform/ui/statusbarbutton.h"
#include "platform/ui/paintercontext.h"
#include "platform/ui/appearance.h"
#include "platform/ui/trayrendition.h"

#include <QPainter>

#include <cmath>

namespace platform::ui {

StatusItem::StatusItem(StatusBar *bar, double length)
    : m_bar(bar)
    , m_length(length)
    , m_button(std::make_unique<StatusBarButton>(bar->thickness()))
{
    connect(m_button.get(), &View::displayRequested, this, &StatusItem::schedulePictureChanged);
    connect(m_button.get(), &StatusBarButton::contentChanged, this, [this] {
        fitButton();
        schedulePictureChanged();
    });
    connect(bar, &StatusBar::thicknessChanged, this, [this] {
        fitButton();
        schedulePictureChanged();
    });
    // The button's appearance change redraws it and its hosted views, which reports the new picture.
    connect(bar, &StatusBar::panelAppearanceChanged, this, [this] {
        if (m_bar)
            m_button->setAppearance(m_bar->panelAppearance());
    });
    m_button->setAppearance(bar->panelAppearance());
    fitButton();
}

StatusItem::~StatusItem()
{
    if (m_bar)
        m_bar->forget(this);
    // Views hosted in the button go with it.
    m_button.reset();
}

void StatusItem::setLength(double length)
{
    if (m_length == length)
        return;
    m_length = length;
    fitButton();
    schedulePictureChanged();
}

double StatusItem::width() const
{
    if (m_length >= 0)
        return m_length;
    if (m_length == squareLength)
        return m_button->frame().height();
    return m_button->fittingWidth();
}

void StatusItem::fitButton()
{
    const double thickness = m_bar ? m_bar->thickness() : m_button->frame().height();
    // The height first: a square item is as wide as the bar is thick.
    m_button->setFrameSize(Size { m_button->frame().width(), thickness });
    m_button->setFrameSize(Size { width(), thickness });
}

void StatusItem::setVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    emit visibilityChanged(visible);
}

void StatusItem::setMenu(std::shared_ptr<Menu> menu)
{
    if (m_menu == menu)
        return;
    m_menu = std::move(menu);
    emit menuChanged();
}

QImage StatusItem::picture(double scale) const
{
    const_cast<StatusItem *>(this)->fitButton();
    const Size size = m_button->frame().size;
    if (size.isEmpty())
        return {};
    return m_button->renderToImage(size, scale);
}

TrayRendition::~TrayRendition() = default;

namespace {
    // The first view of the button's tree that draws a rendition of its own.
    const TrayRendition *renditionIn(const View &root)
    {
        QList<View *> pending = root.subviews();
        while (!pending.isEmpty()) {
            View *view = pending.takeFirst();
            if (view->isHidden())
                continue;
            if (const auto *rendition = dynamic_cast<const TrayRendition *>(view))
                return rendition;
            pending.append(view->subviews());
        }
        return nullptr;
    }

    QList<const TrayRendition *> renditionsIn(const View &root)
    {
        QList<const TrayRendition *> found;
        QList<View *> pending = root.subviews();
        while (!pending.isEmpty()) {
            View *view = pending.takeFirst();
            if (const auto *rendition = dynamic_cast<const TrayRendition *>(view)) {
                found.append(rendition);
                continue; // a rendition speaks for the views inside it
            }
            pending.append(view->subviews());
        }
        return found;
    }
} // namespace

QImage StatusItem::trayPicture(double scale) const
{
    if (!(scale > 0))
        scale = 1;
    const QImage wide = picture(scale);
    if (wide.isNull())
        return {};
    const double side = m_button->frame().height();
    const int pixels = std::max(1, int(std::ceil(side * scale - 1e-9)));
    QImage square(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    square.setDevicePixelRatio(scale);
    const Appearance appearance = m_button->effectiveAppearance();
    QPainter painter(&square);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_bar && !m_bar->panelAppearance()) {
        // The panel is unknown: the picture brings a panel of its own, in the colours of a panel of the
        // appearance it is drawn for. On such a panel it melts in; on the other kind it is a tile.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromRgba(appearance.isDark() ? kDarkTrayPlate : kLightTrayPlate));
        painter.drawRoundedRect(QRectF(kTrayPlateMargin, 0, side - 2 * kTrayPlateMargin, side), kTrayPlateRadius,
            kTrayPlateRadius);
    }
    const QSizeF wideSize = QSizeF(wide.size()) / wide.devicePixelRatio();
    if (wideSize.width() <= side + kTraySlack) {
        painter.drawImage(QPointF((side - wideSize.width()) / 2, 0), wide);
    } else if (const TrayRendition *rendition = renditionIn(*m_button)) {
        PainterContext context(painter, Size { side, side }, scale);
        ScopedDrawingAppearance drawing(appearance);
        rendition->drawTrayRendition(context, side);
    } else {
        // Nothing drawn for the square: the whole picture, smaller, rather than a cut-off part.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const double factor = side / wideSize.width();
        const QSizeF fitted = wideSize * factor;
        painter.drawImage(QRectF(QPointF(0, (side - fitted.height()) / 2), fitted), wide);
    }
    painter.end();
    return square;
}

QString StatusItem::toolTip() const
{
    if (!m_toolTip.isEmpty())
        return m_toolTip;
    QStringList lines;
    for (const TrayRendition *rendition : renditionsIn(*m_button)) {
        const QString text = rendition->trayToolTip();
        if (!text.isEmpty())
            lines.append(text);
    }
    if (!lines.isEmpty())
        return lines.join(QLatin1Char('\n'));
    return m_button->title();
}

void StatusItem::setToolTip(const QString &toolTip)
{
    if (m_toolTip == toolTip)
        return;
    m_toolTip = toolTip;
    schedulePictureChanged();
}

void StatusItem::click(const QPoint &globalPos)
{
    if (m_menu)
        m_menu->popUp(globalPos);
    else
        m_button->performClick();
}

void StatusItem::schedulePictureChanged()
{
    if (m_pictureScheduled)
        return;
    m_pictureScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_pictureScheduled = false;
            emit pictureChanged();
        },
        Qt::QueuedConnection);
}

} // namespace platform::ui
