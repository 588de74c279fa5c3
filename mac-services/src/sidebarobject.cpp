#include "olvane/sidebarobject.h"

namespace olvane {

SideBarObject::SideBarObject(QString title)
    : m_title(std::move(title))
{
}

SideBarObject::~SideBarObject() = default;

} // namespace olvane
