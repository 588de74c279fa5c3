#pragma once

#include "olvane/sidebarobject.h"
#include "platform/ui/image.h"

#include <QVariant>

#include <optional>

namespace olvane {

/// An item of a side-bar group: a title, an optional icon and an optional payload saying what the
/// item stands for (an invalid QVariant is no payload). Items do not know their group.
class SideBarItem final : public SideBarObject {
public:
    SideBarItem(const QString &title, std::optional<platform::ui::Image> icon);
    SideBarItem(const QString &title, std::optional<platform::ui::Image> icon, QVariant representedObject);

    const std::optional<platform::ui::Image> &icon() const { return m_icon; }
    void setIcon(std::optional<platform::ui::Image> icon) { m_icon = std::move(icon); }

    const QVariant &representedObject() const { return m_representedObject; }
    void setRepresentedObject(const QVariant &object) { m_representedObject = object; }

private:
    std::optional<platform::ui::Image> m_icon;
    QVariant m_representedObject;
};

} // namespace olvane
