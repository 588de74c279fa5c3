#pragma once

#include <memory>

namespace ammerl {
class InternalBattery;
}

namespace quenby {

/// A copy of a battery record of either variant (none for a variant it does not know): views keep
/// their own, since the controller replaces its record on every refresh.
std::unique_ptr<ammerl::InternalBattery> copyOf(const ammerl::InternalBattery &battery);

} // namespace quenby
