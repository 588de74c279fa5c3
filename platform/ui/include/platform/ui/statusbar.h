#pragma once

#include "platform/ui/appearance.h"

#include <QList>
#include <QObject>

#include <memory>
#include <optional>

namespace platform::ui {

class StatusBarPresenter;
class StatusItem;

/// The row of status items at the edge of the desktop: its thickness and its items in the order
/// they were made.
///
/// The bar is a model that tests read and drive without a display. What shows it on the desktop is
/// its presenter: the process's bar (`system()`) gets a tray presenter (one tray icon per item) when
/// the desktop has a system tray, else a strip presenter (a small window of its own), and none where
/// there is no screen (offscreen tests). The process's bar follows the tray host at run time: when a
/// tray comes, its items move from the strip to the tray; when it goes, back to the strip. Main
/// thread only.
class StatusBar : public QObject {
    Q_OBJECT
public:
    static constexpr double kDefaultThickness = 22;

    explicit StatusBar(QObject *parent = nullptr);
    ~StatusBar() override;

    /// The bar installed by a ScopedStatusBar, else the process's own, made on first use.
    static StatusBar &system();
    /// Asks the desktop now what the process's bar will be shown in (its tray hosts), so that the
    /// answers travel while the program goes on starting; the first `system()` takes them. Does nothing
    /// once the process's bar is made, or where it has no presenter.
    static void prepareSystem();

    /// In points; 22 unless set otherwise.
    double thickness() const { return m_thickness; }
    void setThickness(double thickness);

    /// A new visible item at the end of the bar. The caller holds it; the bar shows it until it is
    /// removed or released.
    std::shared_ptr<StatusItem> statusItem(double length);
    /// Takes the item off the bar (nothing when it is not on this bar).
    void removeStatusItem(StatusItem *item);
    /// The items on the bar, oldest first.
    QList<StatusItem *> items() const { return m_items; }

    /// The look of the panel the items are shown on, when its host tells it (a tray's colours): the
    /// items' buttons take it, so their pictures are drawn for that panel. None (the default) when
    /// the panel is unknown: the buttons follow the application's appearance, and tray pictures are
    /// drawn to read on a dark and on a light panel alike (`StatusItem::trayPicture`).
    std::optional<Appearance> panelAppearance() const { return m_panelAppearance; }
    void setPanelAppearance(std::optional<Appearance> appearance);

    StatusBarPresenter *presenter() const { return m_presenter.get(); }
    void setPresenter(std::unique_ptr<StatusBarPresenter> presenter);

signals:
    /// An item was made, removed or released.
    void itemsChanged();
    void thicknessChanged(double thickness);
    void panelAppearanceChanged();
    /// Another presenter shows the bar (the tray host came or went).
    void presenterChanged();

private:
    friend class StatusItem;
    void forget(StatusItem *item);

    double m_thickness = kDefaultThickness;
    std::optional<Appearance> m_panelAppearance;
    QList<StatusItem *> m_items;
    std::unique_ptr<StatusBarPresenter> m_presenter;
};

/// Makes `bar` the one `StatusBar::system()` answers for the lifetime of the guard (tests).
class ScopedStatusBar {
public:
    explicit ScopedStatusBar(StatusBar &bar);
    ~ScopedStatusBar();
    ScopedStatusBar(const ScopedStatusBar &) = delete;
    ScopedStatusBar &operator=(const ScopedStatusBar &) = delete;

private:
    StatusBar *m_previous;
};

} // namespace platform::ui
