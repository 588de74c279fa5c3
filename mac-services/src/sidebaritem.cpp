#include "olvane/sidebaritem.h"

namespace olvane {

SideBarItem::SideBarItem(const QString &title, std::optional<platform::ui::Image> icon)
    : SideBarObject(title)
    , m_icon(std::move(icon))
{
}

SideBarItem::SideBarItem(const QString &title, std::optional<platform::ui::Image> icon, QVariant representedObject)
    : SideBarObject(title)
    , m_icon(std::move(icon))
    , m_representedObject(std::move(representedObject))
{
}

} // namespace olvane
