#pragma once

#include "olvane/sidebaritem.h"
#include "olvane/sidebarobject.h"

#include <QList>

#include <memory>

namespace olvane {

/// A titled group of the side bar; it owns its items (shared, so the same item may be listed twice).
class SideBarGroup final : public SideBarObject {
public:
    explicit SideBarGroup(const QString &title);

    const QList<std::shared_ptr<SideBarItem>> &items() const { return m_items; }
    void setItems(QList<std::shared_ptr<SideBarItem>> items) { m_items = std::move(items); }

    /// Appends a new item without payload; read items() to reach it.
    void addItem(const QString &title, std::optional<platform::ui::Image> icon);
    void addItemWithObject(const QString &title, std::optional<platform::ui::Image> icon, const QVariant &object);
    /// Appends `item` as it is, even when it is listed already.
    void append(std::shared_ptr<SideBarItem> item);
    /// Removes every entry that is `item` itself (not an equal one); the others keep their order.
    void remove(const std::shared_ptr<SideBarItem> &item);
    void remove(const SideBarItem *item);

private:
    QList<std::shared_ptr<SideBarItem>> m_items;
};

} // namespace olvane
