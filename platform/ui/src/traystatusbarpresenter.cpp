#include "platform/ui/traystatusbarpresenter.h"

#include "platform/ui/statusbar.h"
#include "platform/ui/statusitem.h"
#include "platform/ui/traycolors.h"
#include "platform/ui/trayicon.h"
#include "statusnotifieritem_p.h"
#include "xembedtrayicon_p.h"

#include <QGuiApplication>

namespace platform::ui {

TrayIcon::~TrayIcon() = default;

void TrayIcon::setPictures(const QList<QImage> &pictures)
{
    m_pictures = pictures;
    presented(Change::pictures);
}

void TrayIcon::setToolTip(const QString &toolTip)
{
    if (m_toolTip == toolTip)
        return;
    m_toolTip = toolTip;
    presented(Change::toolTip);
}

void TrayIcon::setMenu(std::shared_ptr<Menu> menu)
{
    if (m_menu == menu)
        return;
    m_menu = std::move(menu);
    presented(Change::menu);
}

namespace {
    class MemoryTrayIcon final : public TrayIcon {
    protected:
        void presented(Change) override { }
    };
}

std::unique_ptr<TrayIcon> TrayIcon::inMemory() { return std::make_unique<MemoryTrayIcon>(); }

TrayStatusBarPresenter::TrayStatusBarPresenter(
    StatusBar &bar, Protocol protocol, const QString &busAddress, quint32 tray)
    : StatusBarPresenter(bar)
    , m_protocol(protocol)
    , m_busAddress(busAddress)
    , m_tray(tray)
    // A host places its own menu where it shows the icon; ours can only be placed where the platform
    // lets a program put a pop-up at a point of the desktop.
    , m_exportsMenus(QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
{
    // Before the first icons: they are drawn for the panel when the X11 tray they dock in tells its
    // colours (a StatusNotifierItem host never does).
    if (protocol == Protocol::xembed) {
        if (const std::optional<QColor> foreground = TrayColors::xembedTrayForeground())
            bar.setPanelAppearance(TrayColors::panelAppearance(*foreground));
    }
    connect(&bar, &StatusBar::itemsChanged, this, &TrayStatusBarPresenter::scheduleSync);
    scheduleSync();
}

TrayStatusBarPresenter::~TrayStatusBarPresenter()
{
    // What the tray told is no news to whatever shows the bar next.
    if (m_protocol == Protocol::xembed)
        statusBar().setPanelAppearance(std::nullopt);
}

bool TrayStatusBarPresenter::suits(const TrayHosts &hosts) const
{
    switch (m_protocol) {
    case Protocol::statusNotifierItem:
        return hosts.statusNotifierHost;
    case Protocol::xembed:
        return !hosts.statusNotifierHost && hosts.xembedTray == m_tray;
    case Protocol::inMemory:
        break;
    }
    return false;
}

QList<TrayIcon *> TrayStatusBarPresenter::trayIcons() const
{
    QList<TrayIcon *> icons;
    for (const Place &place : m_places)
        icons.append(place.icon.get());
    return icons;
}

TrayIcon *TrayStatusBarPresenter::trayIcon(const StatusItem *item) const
{
    for (const Place &place : m_places)
        if (item && place.item == item)
            return place.icon.get();
    return nullptr;
}

void TrayStatusBarPresenter::scheduleSync()
{
    if (m_syncScheduled)
        return;
    m_syncScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!m_syncScheduled)
                return; // flushed meanwhile
            m_syncScheduled = false;
            sync();
        },
        Qt::QueuedConnection);
}

void TrayStatusBarPresenter::flush()
{
    if (!m_syncScheduled)
        return;
    m_syncScheduled = false;
    sync();
}

void TrayStatusBarPresenter::sync()
{
    QList<StatusItem *> shown;
    for (StatusItem *item : statusBar().items()) {
        // Every item is followed, shown or not: one that comes into view or changes width is looked at.
        disconnect(item, nullptr, this, nullptr);
        connect(item, &StatusItem::visibilityChanged, this, &TrayStatusBarPresenter::scheduleSync);
        connect(item, &StatusItem::pictureChanged, this, [this, item] {
            for (Place &place : m_places) {
                if (place.item == item) {
                    // A width of nothing leaves nothing to show: the places move up.
                    if (item->width() <= 0)
                        scheduleSync();
                    else
                        updatePictures(place);
                    return;
                }
            }
            if (item->isVisible() && item->width() > 0)
                scheduleSync();
        });
        connect(item, &StatusItem::menuChanged, this, [this, item] {
            if (TrayIcon *icon = trayIcon(item))
                icon->setMenu(item->menu());
        });
        if (item->isVisible() && item->width() > 0)
            shown.append(item);
    }
    // Places go from the end (the host drops those icons), come at the end (it adds them after the
    // others), and the ones that stay show whatever item is now at their position.
    while (m_places.size() > std::size_t(shown.size()))
        m_places.pop_back();
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (std::size_t(i) < m_places.size()) {
            show(m_places[std::size_t(i)], shown[i]);
            continue;
        }
        m_places.push_back(Place { makeIcon(), {}, {} });
        Place &place = m_places.back();
        TrayIcon *icon = place.icon.get();
        connect(icon, &TrayIcon::clicked, this, [this, icon](const QPoint &globalPos) {
            for (const Place &candidate : m_places) {
                if (candidate.icon.get() == icon && candidate.item) {
                    candidate.item->click(globalPos);
                    return;
                }
            }
        });
        show(place, shown[i]);
        // Registered with the host only now that it has what it shows: a host reads it all at once.
        if (auto *item = dynamic_cast<StatusNotifierItem *>(icon))
            item->registerWithWatcher();
    }
}

void TrayStatusBarPresenter::show(Place &place, StatusItem *item)
{
    place.item = item;
    updatePictures(place);
    place.icon->setMenu(item->menu());
}

void TrayStatusBarPresenter::updatePictures(Place &place)
{
    StatusItem *item = place.item;
    if (!item)
        return;
    const double thickness = item->statusBar() ? item->statusBar()->thickness() : StatusBar::kDefaultThickness;
    const auto scaleFor = [thickness](int pixels) { return pixels / thickness; };
    // The smallest size decides whether anything changed: the others are drawn from the same content.
    const QImage smallest = item->trayPicture(scaleFor(TrayIcon::kPictureSizes.front()));
    if (!smallest.isNull() && smallest != place.picture) {
        place.picture = smallest;
        QList<QImage> pictures { smallest };
        for (std::size_t i = 1; i < TrayIcon::kPictureSizes.size(); ++i)
            pictures.append(item->trayPicture(scaleFor(TrayIcon::kPictureSizes[i])));
        place.icon->setPictures(pictures);
        ++m_iconUpdates;
    }
    place.icon->setToolTip(item->toolTip());
}

std::unique_ptr<TrayIcon> TrayStatusBarPresenter::makeIcon()
{
    switch (m_protocol) {
    case Protocol::statusNotifierItem:
        return std::make_unique<StatusNotifierItem>(m_busAddress, m_exportsMenus);
    case Protocol::xembed:
        return std::make_unique<XEmbedTrayIcon>();
    case Protocol::inMemory:
        break;
    }
    return TrayIcon::inMemory();
}

} // namespace platform::ui
