#pragma once

#include <platform/core/notification.h>
#include <platform/core/notificationcenter.h>
#include <platform/core/timer.h>
#include <platform/core/value.h>
#include <platform/ui/geometry.h>
#include <platform/ui/menuitem.h>

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>
#include <vector>

namespace fennic {
class BatteryDevice;
class LowEnergyDevice;
}
namespace olvane {
class MenuBarItem;
}
namespace platform {
class Bundle;
}
namespace platform::ui {
class Menu;
class View;
class ViewController;
}

namespace quenby {

class WindowController;

class IController;

/// The application's life: it owns the one controller, runs the 2-second refresh, builds the status
/// items for the chosen app mode and redraws or rebuilds them after each refresh, and fills the
/// status menu each time it opens. Main thread only.
///
/// Status items carry as represented object the identifier of what they show: a device's serial,
/// "internal" for the computer's battery, or nothing (the application icon, the combined item).
class AppDelegate : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kRefreshInterval { 2000 };
    /// The frame width a device view is made with, before it sizes its status item.
    static constexpr double kDeviceViewWidth = 128;
    /// The symbol of the application icon item.
    static inline const QString appIconSymbol = QStringLiteral("bolt.fill");

    /// Takes the controller; none makes the real one on the current platform backends.
    explicit AppDelegate(std::unique_ptr<IController> controller = {});
    ~AppDelegate() override;
    AppDelegate(const AppDelegate &) = delete;
    AppDelegate &operator=(const AppDelegate &) = delete;

    IController &controller() const { return *m_controller; }
    /// The status menu, attached to every status item.
    const std::shared_ptr<platform::ui::Menu> &menu() const { return m_menu; }
    /// The refresh timer; none before launching finished and after termination.
    platform::Timer *timer() const { return m_timer.get(); }
    /// The Contact item of the open menu.
    platform::ui::MenuItem *contactItem() const { return m_contactItem.data(); }
    /// The controllers of the open menu's device rows.
    const std::vector<std::shared_ptr<platform::ui::ViewController>> &menuViewControllers() const
    {
        return m_menuViewControllers;
    }

    // Life.
    /// Attaches the menu, starts the timer, observes, refreshes (which builds the status items),
    /// shows the first-start hint and starts the helper application when it is installed.
    void applicationDidFinishLaunching();
    /// Stops the timer and the observations.
    void applicationWillTerminate();
    void registerObservers();
    void removeObservers();

    // Refresh cycle.
    /// One tick: the controller's refresh, then the status items brought up to date or, when the
    /// devices changed or a shown device has no item, a rebuild.
    void refresh();
    /// The identifiers of the data model's devices (ignored ones too), ascending.
    QStringList visibleDevices() const;
    /// Hands the views of the item their current record (the combined item: the views inside it)
    /// and marks for redrawing those whose record draws differently.
    void updateViews(olvane::MenuBarItem &item);
    /// After a wake from sleep (the workspace's `didWake`): the controller's refresh only.
    void onWake();
    void onSleep();

    // Status items.
    /// Builds the status items anew for the app mode and settings.
    void rebuildStatusItems();
    /// One item showing the application symbol.
    void showAppIconItem();
    /// All shown devices and the battery in the first item.
    void createSingleItem();
    /// One item per shown device, then one for the battery.
    void createItems();
    /// At position 0 the first item is reused, else a new item is added.
    void createItem(const QString &identifier, platform::ui::View *view, int position, double width);
    /// "ModeChanged": forgets what the items show, then rebuilds them.
    void modeChanged();
    /// "DevicesChanged".
    void createMenuBarView();

    // Status menu.
    void menuWillOpen();
    /// Empties the menu from the event loop (the chosen row's action still runs first).
    void menuDidClose();
    void menuWillHighlightItem(platform::ui::MenuItem *item);
    /// Empties the menu and fills it: Open, the devices, the helper's item, Contact, Other apps,
    /// About, Quit.
    void buildMenu();
    /// A device's row; none for a device without name.
    platform::ui::MenuItem *deviceMenuItem(const std::shared_ptr<fennic::BatteryDevice> &device);
    /// The computer battery's row.
    platform::ui::MenuItem *internalMenuItem();
    /// A Low Energy device's row; none for a device without name.
    platform::ui::MenuItem *lowEnergyMenuItem(const std::shared_ptr<fennic::LowEnergyDevice> &device);
    /// "MenuBarItemClicked": hides the clicked device from the status bar, or shows it again; then
    /// rebuilds the items and closes the menu (from the event loop, after the click's handling).
    void itemClicked(const platform::Notification &notification);
    void toggleDevice(const platform::Notification &notification);

    // Menu actions.
    /// Brings the main window forward, or opens a new one.
    void open();
    void openMainWindow();
    /// The open main window, if any.
    WindowController *windowController() const { return m_windowController.get(); }
    void contact();
    void runHelper();
    void quitHelper();
    void downloadHelper();
    /// The about panel with the main bundle's information in the user's language.
    void aboutClicked();
    /// `bundle`'s information dictionary with the texts a user reads (the copyright line) taken from
    /// the application's "InfoPlist" table in the preferred language; a key the dictionary lacks stays
    /// missing.
    static std::optional<platform::Value> aboutInformation(const platform::Bundle &bundle);
    void otherAppsClicked();
    void quit();

    /// Once: stores that the program was started and shows the hint.
    void showFirstStartHint();

private:
    class MenuForwarder;
    void clearMenu();
    void toggleIgnored(const QString &identifier);
    /// The application icon's tooltip: the program's name, then every shown device with its level.
    QString appIconToolTip() const;
    platform::ui::MenuItem *rowItem(const QString &identifier, int tag,
        std::unique_ptr<platform::ui::ViewController> controller, const std::function<void()> &configure);

    std::unique_ptr<IController> m_controller;
    std::shared_ptr<platform::ui::Menu> m_menu;
    std::shared_ptr<MenuForwarder> m_menuDelegate;
    std::unique_ptr<platform::Timer> m_timer;
    QPointer<platform::ui::MenuItem> m_contactItem;
    std::vector<std::shared_ptr<platform::ui::ViewController>> m_menuViewControllers;
    QList<QMetaObject::Connection> m_workspaceObservations;
    std::unique_ptr<WindowController> m_windowController;
};

} // namespace quenby
