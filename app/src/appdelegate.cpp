#include "quenby/appdelegate.h"

#include "localization_p.h"
#include "quenby/appnotifications.h"
#include "quenby/baseview.h"
#include "quenby/controller.h"
#include "quenby/datamodel.h"
#include "quenby/doublebatterydeviceview.h"
#include "quenby/doublebatteryviewcontroller.h"
#include "quenby/firststartviewcontroller.h"
#include "quenby/internalbatteryview.h"
#include "quenby/leveldrawing.h"
#include "quenby/menubarview.h"
#include "quenby/settings.h"
#include "quenby/singlebatterydeviceview.h"
#include "quenby/singlebatteryviewcontroller.h"
#include "quenby/splitviewcontroller.h"
#include "quenby/storyboards.h"
#include "quenby/windowcontroller.h"

#include <ammerl/internalbattery.h>
#include <ammerl/internalfinder.h>
#include <dorsk/sentrel.h>
#include <fennic/doublebatterydevice.h>
#include <fennic/lowenergydevice.h>
#include <fennic/singlebatterydevice.h>
#include <olvane/imenubaritemcontroller.h>
#include <olvane/menubar.h>
#include <olvane/menubarcustomcontentprovider.h>
#include <olvane/menubaritem.h>
#include <olvane/storyboardextensions.h>
#include <pirrow/about.h>
#include <pirrow/gradientdialog.h>
#include <pirrow/marketing.h>
#include <tavrin/reviewcontroller.h>
#include <platform/core/bundle.h>
#include <platform/core/mainqueue.h>
#include <platform/desktop/workspace.h>
#include <platform/ui/layer.h>
#include <platform/ui/menu.h>
#include <platform/ui/menudelegate.h>
#include <platform/ui/menuitem.h>
#include <platform/ui/statusitem.h>
#include <platform/ui/themeiconreader.h>
#include <platform/ui/window.h>
#include <tavrin/images.h>
#include <tavrin/notifications.h>
#include <tavrin/support.h>

#include <QCoreApplication>

#include <QSet>

#include <algorithm>

namespace quenby {

using olvane::MenuBarItem;
using platform::ui::Menu;
using platform::ui::MenuItem;
using platform::ui::Rect;
using platform::ui::View;

namespace {
    const QString kInternal = QString::fromLatin1(kInternalIdentifier);

    bool isIgnored(const QString &identifier) { return Settings::isIgnored(identifier); }

    // The data model's devices as (identifier, device) pairs in the order of their names.
    std::vector<std::pair<QString, std::shared_ptr<fennic::BatteryDevice>>> byName(const DeviceMap &devices)
    {
        std::vector<std::pair<QString, std::shared_ptr<fennic::BatteryDevice>>> pairs(devices.begin(), devices.end());
        std::stable_sort(pairs.begin(), pairs.end(),
            [](const auto &a, const auto &b) { return a.second->name() < b.second->name(); });
        return pairs;
    }

    // The represented object as an identifier; empty when it is none or not a text.
    QString identifierOf(const MenuBarItem &item)
    {
        const QVariant object = item.representedObject();
        return object.typeId() == QMetaType::QString ? object.toString() : QString();
    }

    BaseView *makeDeviceView(const std::shared_ptr<fennic::BatteryDevice> &device)
    {
        const Rect frame(0, 0, AppDelegate::kDeviceViewWidth, olvane::MenuBar::thickness());
        BaseView *view = nullptr;
        if (dynamic_cast<fennic::DoubleBatteryDevice *>(device.get()))
            view = new DoubleBatteryDeviceView(frame);
        else
            view = new SingleBatteryDeviceView(frame);
        view->setHeightTitle(BaseView::kDefaultHeightTitle);
        view->setDevice(device);
        return view;
    }

    InternalBatteryView *makeInternalView(const ammerl::InternalBattery *battery)
    {
        auto *view = new InternalBatteryView(
            Rect(0, 0, InternalBatteryView::widthForAppMode(Settings::appMode()), olvane::MenuBar::thickness()));
        view->setImageSize({ 9, 9 });
        view->setHeightTitle(11);
        view->setBattery(battery);
        return view;
    }

    MenuItem *textItem(const char *key, std::function<void()> action)
    {
        auto *item = new MenuItem(localized(QString::fromLatin1(key)));
        if (action)
            item->setAction([action = std::move(action)](QObject *) { action(); });
        else
            item->setEnabled(false); // a row without an action cannot be chosen
        return item;
    }
}

class AppDelegate::MenuForwarder final : public platform::ui::MenuDelegate {
public:
    explicit MenuForwarder(AppDelegate &owner)
        : m_owner(owner)
    {
    }
    void menuWillOpen(Menu &) override { m_owner.menuWillOpen(); }
    void menuDidClose(Menu &) override { m_owner.menuDidClose(); }
    void menuWillHighlightItem(Menu &, MenuItem *item) override { m_owner.menuWillHighlightItem(item); }

private:
    AppDelegate &m_owner;
};

AppDelegate::AppDelegate(std::unique_ptr<IController> controller)
    : m_controller(controller ? std::move(controller) : std::make_unique<Controller>())
    , m_menu(std::make_shared<Menu>())
    , m_menuDelegate(std::make_shared<MenuForwarder>(*this))
{
    registerStoryboards();
}

AppDelegate::~AppDelegate()
{
    removeObservers();
    m_menu->setDelegate({});
    clearMenu();
}

// MARK: - Life

void AppDelegate::applicationDidFinishLaunching()
{
    m_menu->setDelegate(m_menuDelegate);
    if (const auto first = m_controller->menuBar().firstItem())
        first->setMenu(m_menu);
    m_timer = platform::Timer::scheduled(kRefreshInterval, true, [this] { refresh(); });
    registerObservers();
    m_controller->refresh();
    // A theme icon looked up on another thread while the program starts (the window icon) may still be
    // on its way: the first refresh's items wait for it where they need the theme, and anything from
    // here on may ask the theme.
    platform::ui::ThemeIconReader::waitForReaders();
    showFirstStartHint();
    if (dorsk::Sentrel::isInstalled())
        dorsk::Sentrel::launch();
}

void AppDelegate::applicationWillTerminate()
{
    if (m_timer)
        m_timer->invalidate();
    m_timer.reset();
    removeObservers();
}

void AppDelegate::registerObservers()
{
    removeObservers();
    tavrin::Notifications::addObserver(
        this, QString::fromLatin1(kModeChanged), [this](const platform::Notification &) { modeChanged(); });
    tavrin::Notifications::addObserver(
        this, QString::fromLatin1(kDevicesChanged), [this](const platform::Notification &) { createMenuBarView(); });
    tavrin::Notifications::addObserver(this, QString::fromLatin1(kMenuBarItemClicked),
        [this](const platform::Notification &notification) { itemClicked(notification); });
    platform::Workspace &workspace = platform::Workspace::current();
    m_workspaceObservations = {
        connect(&workspace, &platform::Workspace::didWake, this, &AppDelegate::onWake),
        connect(&workspace, &platform::Workspace::willSleep, this, &AppDelegate::onSleep),
    };
}

void AppDelegate::removeObservers()
{
    for (const char *name : { kModeChanged, kDevicesChanged, kMenuBarItemClicked })
        tavrin::Notifications::removeObserver(this, QString::fromLatin1(name));
    for (const QMetaObject::Connection &observation : std::as_const(m_workspaceObservations))
        disconnect(observation);
    m_workspaceObservations.clear();
}

// MARK: - Refresh cycle

QStringList AppDelegate::visibleDevices() const
{
    QStringList identifiers;
    for (const auto &[identifier, device] : m_controller->model().devices())
        identifiers.append(identifier);
    std::sort(identifiers.begin(), identifiers.end());
    return identifiers;
}

void AppDelegate::refresh()
{
    const QStringList before = visibleDevices();
    m_controller->refresh();
    const QStringList after = visibleDevices();

    const olvane::IMenuBarItemController &menuBar = m_controller->menuBar();
    // One look at the items, not one per device: a tick stays linear in the number of devices.
    QSet<QString> shown;
    for (const auto &item : menuBar.items()) {
        const QVariant object = item->representedObject();
        if (object.typeId() == QMetaType::QString)
            shown.insert(object.toString());
    }
    const bool missing = std::any_of(after.begin(), after.end(),
        [&](const QString &identifier) { return !shown.contains(identifier) && !isIgnored(identifier); });

    if (before == after && !missing) {
        for (const auto &item : menuBar.items())
            updateViews(*item);
    } else {
        rebuildStatusItems();
    }
}

QString AppDelegate::appIconToolTip() const
{
    QStringList lines { QCoreApplication::applicationName().isEmpty() ? QStringLiteral("Quenby")
                                                                      : QCoreApplication::applicationName() };
    for (const auto &[identifier, device] : byName(m_controller->model().devices())) {
        if (!isIgnored(identifier) && !device->name().isEmpty())
            lines.append(LevelDrawing::trayLine(device->name(), device->batteryLevel()));
    }
    if (const ammerl::InternalBattery *battery = m_controller->internalBattery(); battery && !isIgnored(kInternal)) {
        const std::optional<std::int64_t> charge = battery->charge();
        lines.append(LevelDrawing::trayLine(localized(QStringLiteral("INTERNAL_BATTERY")),
            charge ? std::optional<std::uint8_t>(std::clamp<std::int64_t>(*charge, 0, 100)) : std::nullopt));
    }
    return lines.join(QLatin1Char('\n'));
}

void AppDelegate::updateViews(MenuBarItem &item)
{
    if (item.views().isEmpty() && item.image())
        item.item()->setToolTip(appIconToolTip()); // the application icon stands for every device
    QList<View *> views;
    for (View *hosted : item.views()) {
        if (auto *combined = qobject_cast<MenuBarView *>(hosted))
            views.append(combined->batteryViews());
        else
            views.append(hosted);
    }
    // A view is redrawn only when its record draws differently: an unchanged tick renders no picture
    // and hands the tray nothing. Settings that change the drawings rebuild the items; appearance
    // changes redraw the views on their own.
    const DeviceMap &devices = m_controller->model().devices();
    for (View *view : views) {
        bool changed = false;
        if (auto *deviceView = qobject_cast<BaseView *>(view)) {
            if (deviceView->device()) {
                // A device that is gone keeps its last record until the items are rebuilt.
                const auto current = devices.find(deviceView->device()->serial());
                if (current != devices.end())
                    changed = deviceView->setDevice(current->second);
            }
        } else if (auto *internal = qobject_cast<InternalBatteryView *>(view)) {
            changed = internal->setBattery(m_controller->internalBattery());
        }
        if (changed)
            view->setNeedsDisplay();
    }
}

void AppDelegate::onWake() { m_controller->refresh(); }

void AppDelegate::onSleep() { }

// MARK: - Status items

void AppDelegate::modeChanged()
{
    for (const auto &item : m_controller->menuBar().items())
        item->setRepresentedObject(QVariant());
    rebuildStatusItems();
}

void AppDelegate::createMenuBarView() { rebuildStatusItems(); }

void AppDelegate::rebuildStatusItems()
{
    olvane::IMenuBarItemController &menuBar = m_controller->menuBar();
    menuBar.removeAdditionalItems();
    if (Settings::appMode() == 2) {
        showAppIconItem();
        return;
    }
    IDataModel &model = m_controller->model();
    if (model.allDevicesIgnored() && (!m_controller->internalFinder().batteryPresent() || isIgnored(kInternal))) {
        showAppIconItem();
        return;
    }
    if (model.devices().empty() && isIgnored(kInternal)) {
        showAppIconItem();
        return;
    }
    if (Settings::singleItem())
        createSingleItem();
    else
        createItems();
}

void AppDelegate::showAppIconItem()
{
    olvane::IMenuBarItemController &menuBar = m_controller->menuBar();
    menuBar.removeAdditionalItems();
    const auto first = menuBar.firstItem();
    if (!first)
        return;
    first->setLength(platform::ui::StatusItem::variableLength);
    first->setImage(tavrin::Images::symbol(appIconSymbol));
    first->setMenu(m_menu);
    first->item()->setToolTip(appIconToolTip());
    // The icon shows no device: an identifier left here would pass for that device's item, and the
    // device would get no view of its own when it is shown again.
    first->setRepresentedObject(QVariant());
}

void AppDelegate::createItems()
{
    const olvane::IMenuBarItemController &menuBar = m_controller->menuBar();
    int position = 0;
    for (const auto &[identifier, device] : byName(m_controller->model().devices())) {
        if (isIgnored(identifier) || !LevelDrawing::hasImage(*device) || device->name().isEmpty())
            continue;
        const auto items = menuBar.items();
        const auto existing = std::find_if(
            items.begin(), items.end(), [&](const auto &item) { return identifierOf(*item) == identifier; });
        if (existing != items.end()) {
            updateViews(**existing);
            position = 1;
            continue;
        }
        BaseView *view = makeDeviceView(device);
        createItem(identifier, view, position, view->itemWidth());
        ++position;
    }
    if (!isIgnored(kInternal) && m_controller->internalBattery()) {
        InternalBatteryView *view = makeInternalView(m_controller->internalBattery());
        createItem(kInternal, view, position, view->frame().width());
    }
}

void AppDelegate::createItem(const QString &identifier, View *view, int position, double width)
{
    olvane::IMenuBarItemController &menuBar = m_controller->menuBar();
    if (position == 0) {
        const auto first = menuBar.firstItem();
        if (!first)
            return;
        // Clears the button entirely: an application icon shown before must not stay under the view.
        first->setViews(QList<View *> { view });
        first->item()->setToolTip(QString());
        first->setLength(width);
        first->setMenu(m_menu);
        first->setRepresentedObject(identifier);
        return;
    }
    const auto item = menuBar.makeViewItem(view);
    item->setLength(width);
    item->setMenu(m_menu);
    item->setRepresentedObject(identifier);
    menuBar.add(item);
}

void AppDelegate::createSingleItem()
{
    olvane::IMenuBarItemController &menuBar = m_controller->menuBar();
    menuBar.removeAdditionalItems();
    const double thickness = olvane::MenuBar::thickness();
    auto *combined = new MenuBarView;
    double x = 0;
    for (const auto &[identifier, device] : byName(m_controller->model().devices())) {
        if (isIgnored(identifier))
            continue;
        BaseView *view = makeDeviceView(device);
        const double width = view->itemWidth();
        combined->add(view, x, width);
        x += width;
    }
    if (!isIgnored(kInternal) && m_controller->internalBattery()) {
        InternalBatteryView *view = makeInternalView(m_controller->internalBattery());
        const double width = view->frame().width();
        combined->add(view, x, width);
        x += width;
    }
    combined->setFrame(Rect(0, 0, x, thickness));
    const auto first = menuBar.firstItem();
    if (!first) {
        delete combined;
        return;
    }
    first->setViews(QList<View *> { combined });
    first->item()->setToolTip(QString());
    first->setLength(x);
    first->setMenu(m_menu);
    first->setRepresentedObject(QVariant());
}

// MARK: - Status menu

void AppDelegate::menuWillOpen() { buildMenu(); }

void AppDelegate::menuDidClose()
{
    // The menu says it closed before the chosen row's action runs (or while a row still handles its
    // click): empty it once control is back in the event loop, unless it opened again by then.
    const QPointer<AppDelegate> self(this);
    platform::MainQueue::async([self] {
        if (self && !self->m_menu->isOpen())
            self->clearMenu();
    });
}

void AppDelegate::clearMenu()
{
    // The rows' views belong to the items: remove them before their controllers go.
    m_menu->removeAllItems();
    m_menuViewControllers.clear();
}

void AppDelegate::menuWillHighlightItem(MenuItem *highlighted)
{
    for (MenuItem *item : m_menu->items()) {
        auto *content = dynamic_cast<olvane::MenuBarCustomContentProvider *>(item->view());
        if (!content)
            continue;
        if (highlighted && highlighted->tag() == item->tag())
            content->highlight();
        else
            content->unhighlight();
    }
}

void AppDelegate::buildMenu()
{
    clearMenu();

    m_menu->addItem(textItem("OPEN", [this] { open(); }));
    m_menu->addItem(MenuItem::separator());

    const DeviceMap &devices = m_controller->model().devices();
    const ammerl::InternalBattery *battery = m_controller->internalBattery();
    // The computer's battery counts as a device here: its row is where the user hides it from the
    // status bar or shows it again, so a laptop without accessories lists it rather than "none".
    if (devices.empty() && !battery) {
        m_menu->addItem(textItem("NO_DEVICES", {}));
    } else {
        if (!devices.empty() || battery)
            m_menu->addItem(textItem("CLICK_ON_DEVICE_TO_SHOW_MENUBAR", {}));
        if (battery && battery->name() && !battery->name()->isEmpty()) {
            if (MenuItem *item = internalMenuItem())
                m_menu->addItem(item);
        }
        for (const auto &[identifier, device] : byName(devices)) {
            if (device->name().isEmpty())
                continue;
            MenuItem *item = nullptr;
            if (const auto lowEnergy = std::dynamic_pointer_cast<fennic::LowEnergyDevice>(device))
                item = lowEnergyMenuItem(lowEnergy);
            if (!item)
                item = deviceMenuItem(device);
            if (item)
                m_menu->addItem(item);
        }
    }

    m_menu->addItem(MenuItem::separator());
    if (dorsk::Sentrel::isInstalled()) {
        if (dorsk::Sentrel::isRunning())
            m_menu->addItem(textItem("QUIT_HELPER", [this] { quitHelper(); }));
        else
            m_menu->addItem(textItem("RUN_HELPER", [this] { runHelper(); }));
    } else {
        m_menu->addItem(textItem("DOWNLOAD_HELPER_FOR_SENSORS", [this] { downloadHelper(); }));
    }

    m_menu->addItem(MenuItem::separator());
    MenuItem *contactRow = textItem("CONTACT", [this] { contact(); });
    m_contactItem = contactRow;
    m_menu->addItem(contactRow);
    m_menu->addItem(textItem("OTHER_APPS", [this] { otherAppsClicked(); }));
    m_menu->addItem(textItem("ABOUT", [this] { aboutClicked(); }));

    m_menu->addItem(MenuItem::separator());
    m_menu->addItem(textItem("QUIT", [this] { quit(); }));
}

namespace {
    // A device row: chosen as a menu action it carries no identifier and changes nothing; the click
    // on its view does the work.
    MenuItem *deviceRow(AppDelegate &delegate, int tag)
    {
        auto *item = new MenuItem;
        item->setTarget(&delegate);
        item->setAction([&delegate](QObject *) { delegate.itemClicked(platform::Notification {}); });
        item->setTag(tag);
        return item;
    }

    template <typename T> std::shared_ptr<T> rowController(const char *identifier)
    {
        // Shared before its view loads: the row holds its controller weakly.
        return std::shared_ptr<T>(olvane::StoryboardExtensions::instantiate<T>(
            QString::fromLatin1(kMenuItemsStoryboard), QString::fromLatin1(identifier)));
    }
}

MenuItem *AppDelegate::deviceMenuItem(const std::shared_ptr<fennic::BatteryDevice> &device)
{
    if (device->name().isEmpty())
        return nullptr;
    MenuItem *item = deviceRow(*this, identifierTag(device->serial()));
    if (const auto single = std::dynamic_pointer_cast<fennic::SingleBatteryDevice>(device)) {
        if (const auto row = rowController<SingleBatteryViewController>(kSingleRowIdentifier)) {
            row->setBattery(single);
            item->setView(row->view());
            row->update();
            m_menuViewControllers.push_back(row);
        }
    } else if (const auto pair = std::dynamic_pointer_cast<fennic::DoubleBatteryDevice>(device)) {
        if (const auto row = rowController<DoubleBatteryViewController>(kDoubleRowIdentifier)) {
            row->setBattery(pair);
            View *view = row->view();
            view->setWantsLayer(true);
            view->layer()->setBackgroundColor(platform::ui::Color::clear());
            item->setView(view);
            row->update();
            m_menuViewControllers.push_back(row);
        }
    }
    return item;
}

MenuItem *AppDelegate::internalMenuItem()
{
    const ammerl::InternalBattery *battery = m_controller->internalBattery();
    if (!battery)
        return nullptr;
    MenuItem *item = deviceRow(*this, identifierTag(battery->name().value_or(QString())));
    if (const auto row = rowController<SingleBatteryViewController>(kSingleRowIdentifier)) {
        row->setInternalBattery(battery);
        item->setView(row->view());
        row->update();
        m_menuViewControllers.push_back(row);
    }
    return item;
}

MenuItem *AppDelegate::lowEnergyMenuItem(const std::shared_ptr<fennic::LowEnergyDevice> &device)
{
    if (device->name().isEmpty())
        return nullptr;
    MenuItem *item = deviceRow(*this, identifierTag(device->serial()));
    if (const auto row = rowController<SingleBatteryViewController>(kSingleRowIdentifier)) {
        row->setLowEnergyDevice(device);
        item->setView(row->view());
        row->update();
        m_menuViewControllers.push_back(row);
    }
    return item;
}

void AppDelegate::itemClicked(const platform::Notification &notification) { toggleDevice(notification); }

void AppDelegate::toggleIgnored(const QString &identifier)
{
    if (isIgnored(identifier))
        Settings::removeIgnoredDevice(identifier);
    else
        Settings::addIgnoredDevice(identifier);
}

void AppDelegate::toggleDevice(const platform::Notification &notification)
{
    const platform::Value *object = notification.object.value();
    if (!object || !object->isInteger())
        return;
    const qint64 hash = *object->toInteger();
    if (hash == identifierHash(kInternal)) {
        toggleIgnored(kInternal);
    } else {
        for (const auto &[identifier, device] : m_controller->model().devices()) {
            if (!LevelDrawing::hasImage(*device) || device->name().isEmpty())
                continue;
            if (identifierHash(device->serial()) == hash) {
                toggleIgnored(device->serial());
                break;
            }
        }
    }
    rebuildStatusItems();
    // The click that got here is still being handled by the row's view and controller, which closing
    // the menu destroys: close it once control is back in the event loop.
    const std::weak_ptr<Menu> menu = m_menu;
    platform::MainQueue::async([menu] {
        if (const auto open = menu.lock())
            open->cancelTracking();
    });
}

// MARK: - Menu actions

void AppDelegate::open() { openMainWindow(); }

void AppDelegate::openMainWindow()
{
    if (m_windowController) {
        m_windowController->show();
        m_windowController->raise();
        m_windowController->activateWindow();
        return;
    }
    m_windowController = std::make_unique<WindowController>();
    m_windowController->setFrameAutosaveName(QStringLiteral("FrameMainWindow"));
    m_windowController->contentViewController()->setController(m_controller.get());
    tavrin::ReviewController::shared().requestReview(platform::Bundle::main().bundleIdentifier());
    m_windowController->setOnClose([this] {
        // The window is still inside its close handling: let it go from the event loop.
        if (m_windowController)
            m_windowController.release()->deleteLater();
    });
    m_windowController->show();
    m_windowController->raise();
    m_windowController->activateWindow();
}

void AppDelegate::contact() { tavrin::Support::openContactPage(); }

void AppDelegate::runHelper() { dorsk::Sentrel::launch(); }

void AppDelegate::quitHelper() { dorsk::Sentrel::quit(); }

void AppDelegate::downloadHelper() { dorsk::Sentrel::openDownloadPage(); }

// The application's "InfoPlist" table translates Info.plist texts, as the platform does for them.
std::optional<platform::Value> AppDelegate::aboutInformation(const platform::Bundle &bundle)
{
    auto info = bundle.infoDictionary();
    platform::Value::Dictionary *entries = info ? info->toDictionary() : nullptr;
    if (!entries)
        return info;
    const platform::Bundle &app = platform::Bundle::module(QStringLiteral("QuenbyApp"));
    const QString key = QStringLiteral("NSHumanReadableCopyright");
    const QString text = app.localizedString(key, QStringLiteral("InfoPlist"));
    if (text != key && entries->contains(key))
        (*entries)[key] = platform::Value(text);
    return info;
}

void AppDelegate::aboutClicked()
{
    pirrow::About::show(aboutInformation(platform::Bundle::main()), localized(QStringLiteral("PRIVACY_POLICY")));
}

void AppDelegate::otherAppsClicked() { pirrow::Marketing::openDeveloperPage(); }

void AppDelegate::quit() { QCoreApplication::quit(); }

void AppDelegate::showFirstStartHint()
{
    if (Settings::wasStarted())
        return;
    Settings::markStarted();
    std::shared_ptr<platform::ui::ViewController> content
        = olvane::StoryboardExtensions::instantiateInitialViewController(QString::fromLatin1(kFirstStartStoryboard));
    if (!content)
        return;
    pirrow::GradientDialog &dialog = pirrow::GradientDialog::shared();
    dialog.show(localized(QStringLiteral("FIRST_START_TITLE")), localized(QStringLiteral("FIRST_START_SUBTITLE")),
        localized(QStringLiteral("FIRST_START_FOCUS")), std::move(content), false, false, 384, 384, false);
    if (platform::ui::Window *window = dialog.window()) {
        window->raise();
        window->activateWindow();
    }
}

} // namespace quenby
