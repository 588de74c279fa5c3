#pragma once

#include <QString>

namespace quenby {

/// Told the title of the side-bar item the user picked.
class SideBarDelegate {
public:
    virtual ~SideBarDelegate() = default;
    virtual void sideBarItemSelected(const QString &title) = 0;
};

} // namespace quenby
