#pragma once

#include "pirrow/otherapp.h"

#include <platform/ui/geometry.h>
#include <platform/ui/viewcontroller.h>

#include <QFuture>
#include <QList>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace platform::ui {
class TextField;
class View;
}

namespace pirrow {

class OtherAppCell;

/// The other-apps panel: the maker's applications as a grid of tiles (icon, name, subtitle in the
/// user's language), fetched anew each time the panel appears; choosing a tile opens the
/// application's store page. An info text stands in for the grid while the list is empty.
///
/// The grid is one section laid out in rows: tiles of 256 × 232 points, 8 points apart in a row, 16
/// between rows, inside insets of 24 (top, left, bottom) and 32 (right); it scrolls vertically.
/// Main thread only.
class OtherAppsViewController : public platform::ui::ViewController {
public:
    static constexpr platform::ui::Size kItemSize { 256, 232 };
    static constexpr double kLineSpacing = 16;
    static constexpr double kInteritemSpacing = 8;
    static constexpr platform::ui::EdgeInsets kSectionInsets { 24, 24, 24, 32 };
    /// The item identifier of a tile.
    static inline const QString cellIdentifier = QStringLiteral("OtherAppCell");

    OtherAppsViewController();
    ~OtherAppsViewController() override;

    /// The scrolling area around the grid.
    platform::ui::View *scrollView() const { return m_scrollView.data(); }
    /// The grid.
    platform::ui::View *collectionView() const { return m_collectionView.data(); }
    /// Shown instead of the grid while the list is empty.
    platform::ui::View *infoView() const { return m_infoView.data(); }

    const QList<OtherApp> &apps() const { return m_apps; }
    void setApps(QList<OtherApp> apps) { m_apps = std::move(apps); }
    /// A bundle identifier to leave out of the list; none at first.
    const std::optional<QString> &filter() const { return m_filter; }
    void setFilter(std::optional<QString> filter) { m_filter = std::move(filter); }

    /// Fetches the list and shows it: the apps are replaced when the fetch ends, then, from the main
    /// queue, the grid or the info text is shown and the grid reloaded. Finishes after the apps were
    /// replaced.
    QFuture<void> refresh();
    /// The grid and its scrolling area stop drawing backgrounds.
    void clearBackgrounds();

    /// To be called by whoever shows the panel, before it shows.
    void viewWillAppear();
    /// To be called once the panel shows: starts a refresh.
    void viewDidAppear();

    // The grid's data.
    int numberOfSections() const { return 1; }
    int numberOfItemsInSection(int section) const;
    /// A new tile for the entry at `index`: name, subtitle by language, and its icon downloading.
    std::unique_ptr<OtherAppCell> makeItem(int index);
    /// The tiles on show, in list order.
    const std::vector<std::unique_ptr<OtherAppCell>> &items() const { return m_items; }
    /// Makes the tiles anew and lays them out.
    void reloadData();
    /// Where tile `index` stands in the grid (flipped: y from the top) for a grid `width` wide.
    static platform::ui::Rect itemFrame(int index, double width);
    /// The user chose tile `index`: its store page opens when its address parses; no tile stays chosen.
    void selectItem(int index);
    /// The index of the chosen tile; never one after a selection ended.
    std::optional<int> selectedItem() const { return m_selected; }

    /// The language code's lower-case form contains "de": German subtitles.
    static bool prefersGerman(const QString &languageCode);

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    void showList();
    void layoutItems();

    QPointer<platform::ui::View> m_scrollView;
    QPointer<platform::ui::View> m_collectionView;
    QPointer<platform::ui::View> m_infoView;
    QList<OtherApp> m_apps;
    std::optional<QString> m_filter;
    std::vector<std::unique_ptr<OtherAppCell>> m_items;
    std::optional<int> m_selected;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace pirrow
