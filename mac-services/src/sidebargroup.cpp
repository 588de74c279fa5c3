#include "olvane/sidebargroup.h"

namespace olvane {

SideBarGroup::SideBarGroup(const QString &title)
    : SideBarObject(title)
{
}

void SideBarGroup::addItem(const QString &title, std::optional<platform::ui::Image> icon)
{
    m_items.append(std::make_shared<SideBarItem>(title, std::move(icon)));
}

void SideBarGroup::addItemWithObject(
    const QString &title, std::optional<platform::ui::Image> icon, const QVariant &object)
{
    m_items.append(std::make_shared<SideBarItem>(title, std::move(icon), object));
}

void SideBarGroup::append(std::shared_ptr<SideBarItem> item) { m_items.append(std::move(item)); }

void SideBarGroup::remove(const std::shared_ptr<SideBarItem> &item) { remove(item.get()); }

void SideBarGroup::remove(const SideBarItem *item)
{
    m_items.removeIf([item](const std::shared_ptr<SideBarItem> &entry) { return entry.get() == item; });
}

} // namespace olvane
