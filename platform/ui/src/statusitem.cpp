#include "platform/ui/statusitem.h"

#include "platform/ui/menu.h"
#include "platform/ui/statusbar.h"
#include "platform/ui/statusbarbutton.h"

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
