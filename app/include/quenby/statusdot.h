#pragma once

#include <platform/ui/image.h>

namespace quenby {

/// The small round status pictures of the status menu's device rows: green for a device shown in the
/// status bar, red for one the user hid. Each is one shared image (compare with `isSameObject`).
class StatusDot {
public:
    StatusDot() = delete;

    static constexpr double kDiameter = 10;

    static const platform::ui::Image &available();
    static const platform::ui::Image &unavailable();
};

} // namespace quenby
